#pragma once

#include <QtGlobal>
#include <vector>

#include "layout/TRubyNotation.h"
#include "layout/TTextCounts.h"

// One cell of a grid line: the character in it, as a place in the laid-out text.
struct TGridCell {
    qsizetype offset = 0;  // in the whole text
    qsizetype length = 0;  // UTF-16 code units
    // A character that hangs: it shares the line's last cell (in the cell list it
    // comes one after the last column).
    bool hanging = false;
};

struct TGridLine {
    std::vector<TGridCell> cells;  // from the line's first cell on
};

// A paragraph laid out: its grid lines (an empty paragraph has one without cells), its
// ruby (places in the whole text) and its counts.
struct TParagraphLayout {
    qsizetype start = 0;  // where the paragraph begins in the whole text
    std::vector<TGridLine> lines;
    std::vector<TRubyNotation::TSpan> ruby;
    TTextCounts counts;
};
