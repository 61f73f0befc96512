#include "document/TLabelSort.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

std::vector<TOutlineItem*> TLabelSort::Sorted(const TOutlineItem* parent, Qt::SortOrder order) {
    std::vector<TOutlineItem*> children;
    children.reserve(static_cast<size_t>(parent->ChildCount()));
    for (int row = 0; row < parent->ChildCount(); ++row) children.push_back(parent->Child(row));
    QCollator collator{QLocale(QLocale::Japanese)};
    collator.setNumericMode(true);
    const bool ascending = order == Qt::AscendingOrder;
    std::stable_sort(children.begin(), children.end(),
                     [&](const TOutlineItem* a, const TOutlineItem* b) {
                         const int compared = collator.compare(a->Label, b->Label);
                         return ascending ? compared < 0 : compared > 0;
                     });
    return children;
}

std::optional<TOutlineStep> TLabelSort::Apply(TOutlineItemModel& model, TOutlineItem* parent,
                                              Qt::SortOrder order) {
    const TOutline& outline = model.Outline();
    const std::vector<TOutlineItem*> sorted = Sorted(parent, order);
    std::vector<int> formerRows;
    formerRows.reserve(sorted.size());
    for (const TOutlineItem* child : sorted) formerRows.push_back(child->Row());
    if (std::is_sorted(formerRows.begin(), formerRows.end())) return std::nullopt;
    TBitList expanded = outline.ExpandedFlags();
    model.ReorderChildren(parent, sorted);
    const int index = outline.AbsoluteIndexOf(parent);
    return TOutlineStep::Reordered(outline, parent, std::move(formerRows), index, index,
                                   std::move(expanded));
}
