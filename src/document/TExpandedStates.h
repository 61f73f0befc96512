#pragma once

#include <vector>

#include "document/TOutline.h"

// The expanded flags of an item and its descendants in display order, taken before
// a move and applied again after it. Applying only ever expands.
class TExpandedStates {
  public:
    static TExpandedStates Take(const TOutlineItem* item);

    // The absolute indexes to expand when the item now stands at absolute index
    // `newIndex`.
    std::vector<int> IndexesToExpand(int newIndex) const;

    const std::vector<bool>& Flags() const { return flags_; }

  private:
    std::vector<bool> flags_;
};
