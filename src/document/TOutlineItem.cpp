#include "document/TOutlineItem.h"

bool TOutlineItem::IsWithin(const TOutlineItem* ancestor) const {
    for (const TOutlineItem* item = this; item; item = item->parent_)
        if (item == ancestor) return true;
    return false;
}
