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

    // The top-level items of the outline, in order.
    static std::vector<const TOutlineItem*> TopItems(const TOutline& outline);
    // Every item in depth-first order, a top-level item at level 1.
    static TOutlineEntries FromOutline(const TOutline& outline, const TextOf& textOf);
    // The subtrees of tops, one after the other, each in depth-first order with its top at
    // level 1; without texts when textOf is empty. items, when given, receives the item of
    // each entry.
    static TOutlineEntries FromSubtrees(const std::vector<const TOutlineItem*>& tops,
                                        const TextOf& textOf,
                                        std::vector<const TOutlineItem*>* items = nullptr);
    // What gives the entries [begin, end) their texts: entries and items as FromSubtrees
    // gave them. Runs on several threads at once, each with entries of its own. Entries,
    // items and textOf must outlive it; entries must not be resized or copied meanwhile.
    using Filler = std::function<void(qsizetype begin, qsizetype end)>;
    static Filler TextsFiller(TOutlineEntries& entries,
                              const std::vector<const TOutlineItem*>& items, const TextOf& textOf);
    // The entries with every text an importer handed on as its item file's bytes decoded
    // as the store decodes it.
    static TOutlineEntries WithTextsDecoded(TOutlineEntries entries);
};
