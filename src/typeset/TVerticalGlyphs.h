#pragma once

#include <QStringView>
#include <cstdint>

// How a character is set in vertical writing.
enum class TGlyphForm : std::uint8_t {
    Upright,     // as in horizontal writing: kanji, kana, full-width letters and digits
    Blank,       // an empty cell: spaces and tabs
    Corner,      // 、。，． in the upper right of the cell
    Small,       // small kana, moved towards the upper right
    Turned,      // brackets, ー, 〜, …, ‥, ―, ＝: the vertical form, else turned 90°
    Sideways,    // half-width Latin letters, turned 90° clockwise
    AcrossLine,  // a short number or "!?" set across the line in one cell (縦中横)
};

// The form of a cell's character and, for a turned one, its vertical presentation form of
// Unicode (0 when there is none). Whether a font carries the presentation form is for the
// drawing to decide: the IPA faces, for one, carry none of them (their vertical glyphs
// are reached through the font's 'vert' feature only, which Qt 6.4 does not let us ask
// for), so with them every turned character is drawn turned.
struct TGlyphChoice {
    TGlyphForm form = TGlyphForm::Upright;
    char16_t verticalForm = 0;

    friend bool operator==(const TGlyphChoice&, const TGlyphChoice&) = default;
};

class TVerticalGlyphs {
  public:
    // The form of the cell text[offset, offset + length) (one cell of a layout of text).
    static TGlyphChoice Of(QStringView text, qsizetype offset, qsizetype length);

  private:
    static TGlyphChoice OfCharacter(char16_t c);
};
