#pragma once

#include <QList>
#include <functional>

#include "interchange/TOutlineEntry.h"

class TOutlineItem;

// Entries made into items of an outline.
class TEntryTree {
  public:
    // Creates one item for entry as the child of parent at row, and returns it.
    using Insert =
        std::function<TOutlineItem*(TOutlineItem* parent, int row, const TOutlineEntry& entry)>;
    // Builds the tree of entries (well-formed) below parent, its level 1 entries from row
    // on, in their order. Returns the items made for the level 1 entries.
    static QList<TOutlineItem*> Build(const TOutlineEntries& entries, TOutlineItem* parent, int row,
                                      const Insert& insert);
};
