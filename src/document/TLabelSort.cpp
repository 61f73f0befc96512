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
    std::vector<TOutlineStep> moves;
    // Row by row from the top: the child due at a row comes from below it.
    for (int row = 0; row < static_cast<int>(sorted.size()); ++row) {
        TOutlineItem* child = sorted[static_cast<size_t>(row)];
        if (child->Row() == row) continue;
        const TOutlineStep::Place from = TOutlineStep::PlaceOf(outline, child);
        const int index = outline.AbsoluteIndexOf(child);
        TBitList expanded = outline.ExpandedFlags();
        model.MoveItem(child, parent, row);
        moves.push_back(TOutlineStep::Moved(outline, child, from, index, std::move(expanded)));
    }
    if (moves.empty()) return std::nullopt;
    return TOutlineStep::Group(std::move(moves), outline.AbsoluteIndexOf(parent));
}
