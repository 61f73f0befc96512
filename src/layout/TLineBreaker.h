#pragma once

#include <cstddef>

#include "layout/TGraphemeUnits.h"

// Where grid lines end, by the kinsoku rules of JIS X 4051: a line holds as many units as
// it has columns; a character that may not start a line either hangs in the last cell
// (、。，． and closing brackets: ぶら下げ) or takes the character before it to the next
// line (the others: 追い出し), and an opening bracket that would end a line moves to
// the next one; a ruby base is not split. A line the rules cannot break anywhere is cut
// after its columns.
class TLineBreaker {
  public:
    // The end (one past the last unit) of the grid line beginning at begin.
    static std::size_t LineEnd(const TGraphemeUnit* units, std::size_t count, std::size_t begin,
                               std::size_t columns) {
        const std::size_t limit = begin + columns;
        if (limit >= count) return count;
        if (units[limit].breakClass == TBreakClass::Hanging &&
            (limit + 1 == count || !TBreakClasses::MayNotStartLine(units[limit + 1].breakClass)))
            return limit + 1;
        for (std::size_t end = limit; end > begin + 1; --end)
            if (FitsAsEnd(units, end)) return end;
        return limit;
    }

  private:
    // Whether a line may end before the unit at end.
    static bool FitsAsEnd(const TGraphemeUnit* units, std::size_t end) {
        return !units[end].keepWithPrevious &&
               !TBreakClasses::MayNotStartLine(units[end].breakClass) &&
               units[end - 1].breakClass != TBreakClass::Opening;
    }
};
