#include "interchange/TOutlineEntryList.h"

#include <QHash>
#include <vector>

#include "document/TOutline.h"
#include "platform/TParallel.h"

namespace {

// Items whose texts one thread reads before it asks for more.
constexpr qsizetype kItemsPerRun = 64;

}  // namespace

TOutlineEntries TOutlineEntryList::FromOutline(const TOutline& outline, const TextOf& textOf) {
    TOutlineEntries entries;
    entries.reserve(outline.Count());
    // Parents come before their children, so each parent's level is known when asked for;
    // counting ancestors instead would walk up the tree for every item.
    QHash<const TOutlineItem*, int> levels;
    levels.insert(outline.Root(), 0);
    std::vector<const TOutlineItem*> items;
    items.reserve(outline.Count());
    outline.ForEach([&](TOutlineItem* item) {
        const int level = levels.value(item->Parent()) + 1;
        if (item->HasChildren()) levels.insert(item, level);
        entries.append({level, item->Label, QString()});
        items.push_back(item);
    });
    TOutlineEntry* const entry = entries.data();
    TParallel::ForRuns(entries.size(), kItemsPerRun,
                       [&](qsizetype, qsizetype begin, qsizetype end) {
                           for (qsizetype i = begin; i < end; ++i)
                               entry[i].text = textOf(*items[i]);
                       });
    return entries;
}
