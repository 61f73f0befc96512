#include "document/TBitList.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace {

constexpr int kWordBits = 64;

size_t WordOf(int index) { return static_cast<size_t>(index) / kWordBits; }
std::uint64_t BitOf(int index) { return std::uint64_t{1} << (index % kWordBits); }

}  // namespace

TBitList::TBitList(int count) : words_(WordOf(count + kWordBits - 1)), size_(count) {}

bool TBitList::At(int index) const {
    assert(index >= 0 && index < size_);
    return (words_[WordOf(index)] & BitOf(index)) != 0;
}

void TBitList::Set(int index, bool value) {
    assert(index >= 0 && index < size_);
    if (value)
        words_[WordOf(index)] |= BitOf(index);
    else
        words_[WordOf(index)] &= ~BitOf(index);
}

TBitList TBitList::Slice(int from, int count) const {
    assert(from >= 0 && count >= 0 && from + count <= size_);
    TBitList slice;
    slice.Append(*this, from, count);
    return slice;
}

void TBitList::Insert(int at, const TBitList& bits) {
    assert(at >= 0 && at <= size_);
    if (at == size_) {
        Append(bits, 0, bits.size_);
        return;
    }
    TBitList joined;
    joined.Append(*this, 0, at);
    joined.Append(bits, 0, bits.size_);
    joined.Append(*this, at, size_ - at);
    *this = std::move(joined);
}

void TBitList::Erase(int from, int count) {
    assert(from >= 0 && count >= 0 && from + count <= size_);
    TBitList rest;
    rest.Append(*this, 0, from);
    rest.Append(*this, from + count, size_ - from - count);
    *this = std::move(rest);
}

std::vector<int> TBitList::Differences(const TBitList& other) const {
    std::vector<int> indexes;
    const size_t words = std::max(words_.size(), other.words_.size());
    for (size_t word = 0; word < words; ++word) {
        for (std::uint64_t differing = WordOrZero(word) ^ other.WordOrZero(word); differing != 0;
             differing &= differing - 1)
            indexes.push_back(static_cast<int>(word) * kWordBits + std::countr_zero(differing));
    }
    return indexes;
}

std::uint64_t TBitList::WordFrom(int from) const {
    const size_t word = WordOf(from);
    const int shift = from % kWordBits;
    const std::uint64_t low = WordOrZero(word) >> shift;
    return shift == 0 ? low : low | WordOrZero(word + 1) << (kWordBits - shift);
}

void TBitList::Append(const TBitList& source, int from, int count) {
    for (int done = 0; done < count; done += kWordBits) {
        const int bits = std::min(kWordBits, count - done);
        std::uint64_t word = source.WordFrom(from + done);
        if (bits < kWordBits) word &= (std::uint64_t{1} << bits) - 1;
        AppendWord(word, bits);
    }
}

void TBitList::AppendWord(std::uint64_t bits, int count) {
    const int used = size_ % kWordBits;
    if (used == 0) {
        words_.push_back(bits);
    } else {
        words_.back() |= bits << used;
        if (used + count > kWordBits) words_.push_back(bits >> (kWordBits - used));
    }
    size_ += count;
}
