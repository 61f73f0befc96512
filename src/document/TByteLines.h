#pragma once

#include <QByteArrayView>
#include <QString>
#include <charconv>
#include <optional>
#include <vector>

// The lines of a file the program reads as bytes (a document, the recovery record), read
// one after the other or by index, and the parsing their fields share: numbers, and a
// field as an error message shows it.
class TByteLines {
  public:
    enum class Breaks {
        Any,     // CR LF, a lone CR or a lone LF, as documents from elsewhere may have
        LfOnly,  // the program's own records: a CR is part of its line
    };
    TByteLines(QByteArrayView text, Breaks breaks);

    qsizetype Count() const { return static_cast<qsizetype>(end_.size()); }
    QByteArrayView Line(qsizetype i) const { return text_.sliced(begin_[i], end_[i] - begin_[i]); }
    // Lines [first, first + count) with their line breaks.
    QByteArrayView Block(qsizetype first, qsizetype count) const {
        return text_.sliced(begin_[first], begin_[first + count] - begin_[first]);
    }

    // Reading one line after the other.
    bool AtEnd() const { return next_ >= Count(); }
    // The next line; an empty one past the end, so that a missing line reads as a wrong
    // one.
    QByteArrayView Next() {
        const qsizetype line = next_++;
        return line < Count() ? Line(line) : QByteArrayView();
    }
    // The number of the line Next() gave last, counted from 1.
    int Number() const { return static_cast<int>(next_); }

    // A decimal number with an optional "-" and nothing else, within Integer's range.
    template <typename Integer>
    static std::optional<Integer> ParseNumber(QByteArrayView field) {
        Integer value = 0;
        const char* end = field.data() + field.size();
        const auto [ptr, error] = std::from_chars(field.data(), end, value);
        if (field.isEmpty() || error != std::errc() || ptr != end) return std::nullopt;
        return value;
    }
    // A count or a size: digits only.
    template <typename Integer>
    static std::optional<Integer> ParseCount(QByteArrayView field) {
        if (field.startsWith('-')) return std::nullopt;
        return ParseNumber<Integer>(field);
    }
    // A field's decoded text as an error message shows it: its first characters.
    static QString Shown(const QString& decoded);
    // How many bytes of a field are enough to show it.
    static constexpr qsizetype kShownBytes = 80;

  private:
    bool SplitCrLf();
    void SplitAt(bool anyBreak);

    QByteArrayView text_;
    // Line i is bytes [begin_[i], end_[i]); begin_[i + 1] lies after its line break.
    // begin_ holds one more entry, the end of the text.
    std::vector<qsizetype> begin_;
    std::vector<qsizetype> end_;
    qsizetype next_ = 0;
};
