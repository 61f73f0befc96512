#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A list of bits packed 64 to a word. Runs of bits are inserted, erased and compared
// a word at a time, so that the list of a whole outline's expanded flags is cheap to
// keep in step with the outline and to copy.
class TBitList {
  public:
    TBitList() = default;
    // count cleared bits.
    explicit TBitList(int count);

    int Size() const { return size_; }
    bool At(int index) const;
    void Set(int index, bool value);

    // The bits [from, from + count).
    TBitList Slice(int from, int count) const;
    // Inserts bits before index `at` (Size() appends).
    void Insert(int at, const TBitList& bits);
    void Erase(int from, int count);
    // The indexes whose bits differ, ascending; past the end of the shorter list its
    // bits count as cleared.
    std::vector<int> Differences(const TBitList& other) const;

    bool operator==(const TBitList& other) const = default;

  private:
    // The 64 bits from index `from` on, cleared past the end.
    std::uint64_t WordFrom(int from) const;
    std::uint64_t WordOrZero(std::size_t word) const {
        return word < words_.size() ? words_[word] : 0;
    }
    void Append(const TBitList& source, int from, int count);
    // Appends the lowest `count` bits of bits; the others are clear.
    void AppendWord(std::uint64_t bits, int count);

    // The bits past size_ in the last word are always clear.
    std::vector<std::uint64_t> words_;
    int size_ = 0;
};
