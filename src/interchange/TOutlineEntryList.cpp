#include "interchange/TOutlineEntryList.h"

#include <QHash>

#include "document/TOutline.h"

TOutlineEntries TOutlineEntryList::FromOutline(const TOutline& outline, const TextOf& textOf) {
    TOutlineEntries entries;
    entries.reserve(outline.Count());
    // Parents come before their children, so each parent's level is known when asked for;
    // counting ancestors instead would walk up the tree for every item.
    QHash<const TOutlineItem*, int> levels;
    levels.insert(outline.Root(), 0);
    outline.ForEach([&](TOutlineItem* item) {
        const int level = levels.value(item->Parent()) + 1;
        if (item->HasChildren()) levels.insert(item, level);
        entries.append({level, item->Label, textOf(*item)});
    });
    return entries;
}
