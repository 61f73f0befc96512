#pragma once

#include <functional>

#include "document/TOutlineItemModel.h"

// Copies an item with all its descendants: labels, label bytes and images; every copy
// gets an item number of its own. The copies start collapsed.
class TSubtreeCopy {
  public:
    // The item number of the copy of original; it may throw, before anything is copied.
    using NumberFor = std::function<int(const TOutlineItem& original)>;

    // Inserts the copy as item's next sibling, in one insertion the views hear of, and
    // returns the copy of item. numberFor is asked for every item, parents first.
    static TOutlineItem* Duplicate(TOutlineItemModel& model, const TOutlineItem* item,
                                   const NumberFor& numberFor);
};
