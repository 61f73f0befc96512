#include "document/TOutlineItem.h"

#include <algorithm>

int TOutlineItem::Row() const {
    if (!parent_) return 0;
    const auto& siblings = parent_->children_;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [this](const auto& sibling) { return sibling.get() == this; });
    return static_cast<int>(it - siblings.begin());
}

int TOutlineItem::SubtreeSize() const {
    int size = 1;
    for (const auto& child : children_) size += child->SubtreeSize();
    return size;
}

bool TOutlineItem::IsWithin(const TOutlineItem* ancestor) const {
    for (const TOutlineItem* item = this; item; item = item->parent_)
        if (item == ancestor) return true;
    return false;
}
