#pragma once

#include <functional>
#include <vector>

#include "interchange/TOutlineEntry.h"

class TOutline;
class TOutlineItem;

// The document's tree as interchange entries.
class TOutlineEntryList {
  public:
    // The text of an item: its labels live in the tree, its text in the item text store or
    // the editor. Called from several threads at once: reading and decoding thousands of
    // item files is most of an export's work.
    using TextOf = std::function<QString(const TOutlineItem&)>;

    // Every item in depth-first order, a top-level item at level 1.
    static TOutlineEntries FromOutline(const TOutline& outline, const TextOf& textOf);
    // The subtrees of tops, one after the other, each in depth-first order with its top at
    // level 1. items, when given, receives the item of each entry.
    static TOutlineEntries FromSubtrees(const std::vector<const TOutlineItem*>& tops,
                                        const TextOf& textOf,
                                        std::vector<const TOutlineItem*>* items = nullptr);
    // The entries with every text an importer handed on as its item file's bytes decoded
    // as the store decodes it.
    static TOutlineEntries WithTextsDecoded(TOutlineEntries entries);
};
