#include "interchange/TEntryTree.h"

#include <vector>

#include "document/TOutlineItem.h"

QList<TOutlineItem*> TEntryTree::Build(const TOutlineEntries& entries, TOutlineItem* parent,
                                       int row, const Insert& insert) {
    QList<TOutlineItem*> tops;
    // The last item made on each level: level n's parent is path[n - 1].
    std::vector<TOutlineItem*> path;
    for (const TOutlineEntry& entry : entries) {
        path.resize(static_cast<size_t>(entry.level - 1));
        TOutlineItem* item;
        if (entry.level == 1) {
            item = insert(parent, row++, entry);
            tops.append(item);
        } else {
            TOutlineItem* above = path.back();
            item = insert(above, above->ChildCount(), entry);
        }
        path.push_back(item);
    }
    return tops;
}
