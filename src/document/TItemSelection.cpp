#include "document/TItemSelection.h"

#include <algorithm>
#include <unordered_set>

std::vector<TOutlineItem*> TItemSelection::Blocks(const TOutline& outline,
                                                  std::vector<TOutlineItem*> selected) {
    const std::unordered_set<const TOutlineItem*> chosen(selected.begin(), selected.end());
    const auto underChosen = [&](const TOutlineItem* item) {
        for (const TOutlineItem* above = item->Parent(); above; above = above->Parent())
            if (chosen.count(above)) return true;
        return false;
    };
    std::erase_if(selected, [&](const TOutlineItem* item) { return !item || underChosen(item); });
    std::vector<std::pair<int, TOutlineItem*>> ordered;
    ordered.reserve(selected.size());
    for (TOutlineItem* item : selected) ordered.emplace_back(outline.AbsoluteIndexOf(item), item);
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());
    std::vector<TOutlineItem*> blocks;
    blocks.reserve(ordered.size());
    for (const auto& entry : ordered) blocks.push_back(entry.second);
    return blocks;
}

int TItemSelection::ItemCount(const std::vector<TOutlineItem*>& blocks) {
    int count = 0;
    for (const TOutlineItem* block : blocks) count += block->SubtreeSize();
    return count;
}
