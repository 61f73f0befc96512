#pragma once

#include <optional>

#include "document/TOutline.h"

// Where the outline's move operation puts an item, together with its subtree,
// relative to a target item.
class TMovePrimitive {
  public:
    enum class Mode {
        LastChild,    // the last child of the target
        Before,       // the sibling just before the target
        LastSibling,  // the last child of the target's parent; no target: last top-level
    };

    struct Destination {
        TOutlineItem* parent;  // the root for top-level places
        int row;               // counts the parent's children as they are before the move
    };

    // Nothing when the item would not move: the target lies inside the item's
    // subtree, the item would become a child of itself, or it already stands just
    // before the target.
    static std::optional<Destination> Resolve(const TOutline& outline, const TOutlineItem* item,
                                              Mode mode, TOutlineItem* target);
};
