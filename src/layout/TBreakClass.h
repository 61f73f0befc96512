#pragma once

#include <cstdint>

// How a character counts in breaking a text into grid lines (the kinsoku rules of
// JIS X 4051) and in counting blanks.
enum class TBreakClass : std::uint8_t {
    Ordinary,
    // A half-width or ideographic space or a tab: a character that counts as blank.
    Blank,
    // 、。，． and closing brackets: may not start a line, and hang in the last cell of
    // the line before instead.
    Hanging,
    // The other characters that may not start a line (・：；？！, small kana, ー, marks of
    // repetition): they take the character before them to the next line.
    NoStart,
    // Opening brackets: never end a line.
    Opening,
};

// The class of a UTF-16 code unit, and whether a text made of such code units alone has a
// grapheme boundary between every two of them (so that no segmentation is needed).
class TBreakClasses {
  public:
    static TBreakClass Of(char16_t c) { return static_cast<TBreakClass>(Table()[c] & kClassMask); }
    static bool IsSimple(char16_t c) { return (Table()[c] & kSimpleBit) != 0; }
    static bool MayNotStartLine(TBreakClass c) {
        return c == TBreakClass::Hanging || c == TBreakClass::NoStart;
    }

  private:
    static constexpr std::uint8_t kClassMask = 0x0F;
    static constexpr std::uint8_t kSimpleBit = 0x10;
    static const std::uint8_t* Table();
};
