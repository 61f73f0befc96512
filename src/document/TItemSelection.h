#pragma once

#include <vector>

#include "document/TOutline.h"

// The items several selected rows stand for. An item selected together with one of its
// ancestors counts once, as part of that ancestor's subtree: the blocks are the selected
// items none of whose ancestors is selected, in outline order.
class TItemSelection {
  public:
    static std::vector<TOutlineItem*> Blocks(const TOutline& outline,
                                             std::vector<TOutlineItem*> selected);
    // The number of items the blocks hold, their descendants included.
    static int ItemCount(const std::vector<TOutlineItem*>& blocks);
};
