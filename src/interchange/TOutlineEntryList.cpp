#include "interchange/TOutlineEntryList.h"

#include <vector>

#include "document/TOutline.h"
#include "document/TTextFileCodec.h"
#include "platform/TParallel.h"

namespace {

// Items whose texts one thread reads before it asks for more.
constexpr qsizetype kItemsPerRun = 64;

}  // namespace

std::vector<const TOutlineItem*> TOutlineEntryList::TopItems(const TOutline& outline) {
    const TOutlineItem* root = outline.Root();
    std::vector<const TOutlineItem*> tops;
    tops.reserve(root->ChildCount());
    for (int row = 0; row < root->ChildCount(); ++row) tops.push_back(root->Child(row));
    return tops;
}

TOutlineEntries TOutlineEntryList::FromOutline(const TOutline& outline, const TextOf& textOf) {
    return FromSubtrees(TopItems(outline), textOf);
}

TOutlineEntries TOutlineEntryList::FromSubtrees(const std::vector<const TOutlineItem*>& tops,
                                                const TextOf& textOf,
                                                std::vector<const TOutlineItem*>* items) {
    std::vector<const TOutlineItem*> walked;
    std::vector<const TOutlineItem*>& order = items ? *items : walked;
    order.clear();
    TOutlineEntries entries;
    // A walk with a stack of its own: outlines may be deeper than the call stack.
    std::vector<std::pair<const TOutlineItem*, int>> stack;
    for (auto top = tops.rbegin(); top != tops.rend(); ++top) stack.emplace_back(*top, 1);
    while (!stack.empty()) {
        const auto [item, level] = stack.back();
        stack.pop_back();
        entries.append({level, item->Label, QString()});
        order.push_back(item);
        for (int row = item->ChildCount() - 1; row >= 0; --row)
            stack.emplace_back(item->Child(row), level + 1);
    }
    if (!textOf) return entries;
    const Filler fill = TextsFiller(entries, order, textOf);
    TParallel::ForRuns(entries.size(), kItemsPerRun,
                       [&](qsizetype, qsizetype begin, qsizetype end) { fill(begin, end); });
    return entries;
}

TOutlineEntryList::Filler TOutlineEntryList::TextsFiller(
    TOutlineEntries& entries, const std::vector<const TOutlineItem*>& items, const TextOf& textOf) {
    // Taken once here: the threads must not share the list's detaching.
    TOutlineEntry* const entry = entries.data();
    return [entry, &items, &textOf](qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i) entry[i].text = textOf(*items[i]);
    };
}

TOutlineEntries TOutlineEntryList::WithTextsDecoded(TOutlineEntries entries) {
    for (TOutlineEntry& entry : entries) {
        if (!entry.fileText) continue;
        entry.text = TTextFileCodec::Decode(entry.fileText->Bytes());
        entry.fileText.reset();
    }
    return entries;
}
