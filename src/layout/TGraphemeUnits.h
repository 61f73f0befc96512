#pragma once

#include <QStringView>
#include <vector>

#include "layout/TBreakClass.h"

// One character as a reader sees it (a grapheme cluster: a surrogate pair, a base with
// its combining marks, a kana with a separate voiced mark, an emoji sequence), which
// takes one cell of the grid.
struct TGraphemeUnit {
    qint32 offset = 0;  // where it begins in its paragraph
    qint32 length = 0;  // its UTF-16 code units
    TBreakClass breakClass = TBreakClass::Ordinary;
    // The characters the cell holds: more than one for a number or "!?" set across
    // the line (縦中横).
    std::uint8_t characters = 1;
    // Part of a ruby base after its first character: no line ends before it.
    bool keepWithPrevious = false;
};

// Splits text into grapheme units.
class TGraphemeUnits {
  public:
    // Appends the units of paragraph[begin, end) to units.
    static void Append(QStringView paragraph, qsizetype begin, qsizetype end,
                       std::vector<TGraphemeUnit>& units);

  private:
    static void AppendClusters(QStringView paragraph, qsizetype begin, qsizetype end,
                               std::vector<TGraphemeUnit>& units);
};
