#include "document/TOutlineLevels.h"

namespace {

// Sets the flags of item's subtree, item standing at `index` and at `level`; returns the
// index after the subtree.
int Mark(TBitList& flags, const TOutlineItem* item, int index, int level, int shownTo) {
    flags.Set(index, item->HasChildren() && level < shownTo);
    int next = index + 1;
    for (int row = 0; row < item->ChildCount(); ++row)
        next = Mark(flags, item->Child(row), next, level + 1, shownTo);
    return next;
}

}  // namespace

TBitList TOutlineLevels::ShownTo(const TOutline& outline, int level) {
    TBitList flags(outline.Count());
    int next = 0;
    for (int row = 0; row < outline.Root()->ChildCount(); ++row)
        next = Mark(flags, outline.Root()->Child(row), next, 1, level);
    return flags;
}

TBitList TOutlineLevels::Subtree(const TOutline& outline, const TOutlineItem* item, bool expanded) {
    TBitList flags = outline.ExpandedFlags();
    Mark(flags, item, outline.AbsoluteIndexOf(item), 0, expanded ? kAllLevels : 0);
    return flags;
}
