#pragma once

#include <limits>

#include "document/TBitList.h"
#include "document/TOutline.h"

// The expanded flags, by absolute index as TOutline::ExpandedFlags() holds them, that show
// the outline down to a level or open or close a whole subtree. Only items with children
// are ever expanded.
class TOutlineLevels {
  public:
    static constexpr int kAllLevels = std::numeric_limits<int>::max();

    // Every item shallower than level expanded (top-level items are at level 1), every
    // other item collapsed: level 0 collapses all, kAllLevels expands all.
    static TBitList ShownTo(const TOutline& outline, int level);
    // The outline's flags with item and all its descendants expanded, or all collapsed.
    static TBitList Subtree(const TOutline& outline, const TOutlineItem* item, bool expanded);
};
