#pragma once

#include <QString>
#include <optional>

// The count box of the options dialog: the maximum length of a pasted item's label,
// always an integer from 0 to 1000.
class TNodeNameCount {
  public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 1000;
    static constexpr int kInitial = 40;

    // The text the box settles on after its text became text while the spinner stood
    // at position: empty gives "0"; an integer is written plainly ("007" gives "7")
    // and limited to 0..1000; anything else (a letter, a lone sign, a number beyond
    // 32 bits) gives position back.
    static QString Correct(const QString& text, int position);

    // The value of a text that reads as a 32-bit decimal integer.
    static std::optional<int> Read(const QString& text);

    // The position the dialog opens with for a stored value: the value limited to
    // 0..1000, or 40 when the value is not an integer.
    static int StartPosition(const QString& stored);
};
