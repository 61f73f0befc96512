#include "document/TOutlineStep.h"

#include <algorithm>

TOutlineStep::TOutlineStep(Kind kind, Place place, int select, int keep)
    : kind_(kind), place_(place), other_{-1, 0}, select_(select), keep_(keep) {}

TOutlineStep::Place TOutlineStep::PlaceOf(const TOutline& outline, const TOutlineItem* item) {
    return {outline.AbsoluteIndexOf(item->Parent()), item->Row()};
}

TOutlineStep TOutlineStep::Inserted(const TOutline& outline, const TOutlineItem* item, int selected,
                                    TBitList expandedBefore) {
    TOutlineStep step(Kind::Insert, PlaceOf(outline, item), selected,
                      outline.AbsoluteIndexOf(item));
    step.expanded_ = std::move(expandedBefore);
    return step;
}

TOutlineStep TOutlineStep::Removing(const TOutline& outline, const TOutlineItem* item,
                                    TBitList expandedBefore) {
    const int index = outline.AbsoluteIndexOf(item);
    TOutlineStep step(Kind::Remove, PlaceOf(outline, item), index, index - 1);
    step.subtree_ = Collect(item);
    step.expanded_ = std::move(expandedBefore);
    return step;
}

TOutlineStep TOutlineStep::Moved(const TOutline& outline, const TOutlineItem* item, Place from,
                                 int selected, TBitList expandedBefore) {
    TOutlineStep step(Kind::Move, PlaceOf(outline, item), selected, outline.AbsoluteIndexOf(item));
    step.other_ = from;
    step.expanded_ = std::move(expandedBefore);
    return step;
}

TOutlineStep TOutlineStep::Reordered(const TOutline& outline, const TOutlineItem* parent,
                                     std::vector<int> formerRows, int selected, int selectedNow,
                                     TBitList expandedBefore) {
    TOutlineStep step(Kind::Reorder, {outline.AbsoluteIndexOf(parent), 0}, selected, selectedNow);
    step.rows_ = std::move(formerRows);
    step.expanded_ = std::move(expandedBefore);
    return step;
}

TOutlineStep TOutlineStep::Renumbered(const TOutline& outline, const TOutlineItem* item,
                                      int formerNumber) {
    const int index = outline.AbsoluteIndexOf(item);
    TOutlineStep step(Kind::Number, PlaceOf(outline, item), index, index);
    step.number_ = formerNumber;
    step.expanded_ = outline.ExpandedFlags();
    return step;
}

TOutlineStep TOutlineStep::Relabelled(const TOutline& outline, const TOutlineItem* item,
                                      QString formerLabel) {
    const int index = outline.AbsoluteIndexOf(item);
    TOutlineStep step(Kind::Label, PlaceOf(outline, item), index, index);
    step.label_ = std::move(formerLabel);
    step.expanded_ = outline.ExpandedFlags();
    return step;
}

TOutlineStep TOutlineStep::Refolded(int selected, int selectedNow, TBitList expandedBefore) {
    TOutlineStep step(Kind::Fold, {-1, 0}, selected, selectedNow);
    step.expanded_ = std::move(expandedBefore);
    return step;
}

TOutlineStep TOutlineStep::Group(std::vector<TOutlineStep> steps, int select) {
    TOutlineStep group(Kind::Group, {-1, 0}, select, select);
    group.steps_ = std::move(steps);
    std::reverse(group.steps_.begin(), group.steps_.end());
    return group;
}

TOutlineItem* TOutlineStep::ParentAt(const TOutline& outline, int parentIndex) {
    return parentIndex < 0 ? outline.Root() : outline.ItemAt(parentIndex);
}

int TOutlineStep::Reverse(TOutlineItemModel& model, const SetExpanded& setExpanded) {
    if (kind_ == Kind::Group) {
        // The last change is taken back first; the next time round the first is made
        // first. The selection is the one the last of them leaves.
        int select = -1;
        for (TOutlineStep& step : steps_) select = step.Reverse(model, setExpanded);
        std::reverse(steps_.begin(), steps_.end());
        return keep_ >= 0 ? keep_ : select;
    }
    TBitList current = model.Outline().ExpandedFlags();
    switch (kind_) {
        case Kind::Insert: RemoveSubtree(model); break;
        case Kind::Remove: InsertSubtree(model); break;
        case Kind::Move: MoveBack(model); break;
        case Kind::Label: SwapLabel(model); break;
        case Kind::Number: SwapNumber(model); break;
        case Kind::Reorder: OrderBack(model); break;
        case Kind::Fold:
        case Kind::Group: break;
    }
    ApplyExpanded(model.Outline(), expanded_, setExpanded);
    expanded_ = std::move(current);
    std::swap(select_, keep_);
    return keep_;
}

std::vector<TOutlineStep::Entry> TOutlineStep::Collect(const TOutlineItem* top) {
    std::vector<Entry> entries;
    std::function<void(const TOutlineItem*, int)> visit = [&](const TOutlineItem* item, int depth) {
        entries.push_back({item->Label, item->LabelBytes, item->ItemNumber, item->ImageIndex,
                           item->SelectedIndex, depth});
        for (int row = 0; row < item->ChildCount(); ++row) visit(item->Child(row), depth + 1);
    };
    visit(top, 0);
    return entries;
}

void TOutlineStep::RemoveSubtree(TOutlineItemModel& model) {
    TOutlineItem* top = ParentAt(model.Outline(), place_.parentIndex)->Child(place_.row);
    subtree_ = Collect(top);
    model.RemoveItem(top);
    kind_ = Kind::Remove;
}

void TOutlineStep::InsertSubtree(TOutlineItemModel& model) {
    // parents[d]: the item that takes the entries of depth d + 1.
    std::vector<TOutlineItem*> parents;
    TOutlineItem* parent = ParentAt(model.Outline(), place_.parentIndex);
    for (const Entry& entry : subtree_) {
        TOutlineItem* below = entry.depth == 0 ? parent : parents[entry.depth - 1];
        const int row = entry.depth == 0 ? place_.row : below->ChildCount();
        TOutlineItem* item = model.InsertItem(below, row, entry.label, entry.itemNumber);
        item->LabelBytes = entry.labelBytes;
        item->ImageIndex = entry.imageIndex;
        item->SelectedIndex = entry.selectedIndex;
        parents.resize(static_cast<size_t>(entry.depth));
        parents.push_back(item);
    }
    subtree_.clear();
    subtree_.shrink_to_fit();
    kind_ = Kind::Insert;
}

// The other place names its parent by the index it has on the other side. Parents come
// before their children, so that index holds in the outline without the moved subtree
// too; here the subtree still stands at its current place and shifts the items after it.
void TOutlineStep::MoveBack(TOutlineItemModel& model) {
    const TOutline& outline = model.Outline();
    TOutlineItem* item = ParentAt(outline, place_.parentIndex)->Child(place_.row);
    const int index = outline.AbsoluteIndexOf(item);
    int parentIndex = other_.parentIndex;
    if (parentIndex >= index) parentIndex += item->SubtreeSize();
    TOutlineItem* parent = ParentAt(outline, parentIndex);
    // The row counts the parent's children before the move, the item among them.
    const bool shifts = item->Parent() == parent && item->Row() < other_.row;
    model.MoveItem(item, parent, shifts ? other_.row + 1 : other_.row);
    other_ = place_;
    place_ = PlaceOf(outline, item);
}

void TOutlineStep::SwapLabel(TOutlineItemModel& model) {
    TOutlineItem* item = ParentAt(model.Outline(), place_.parentIndex)->Child(place_.row);
    QString label = item->Label;
    model.SetLabel(item, label_);
    label_ = std::move(label);
}

void TOutlineStep::OrderBack(TOutlineItemModel& model) {
    TOutlineItem* parent = ParentAt(model.Outline(), place_.parentIndex);
    std::vector<TOutlineItem*> order(rows_.size());
    std::vector<int> rows(rows_.size());
    for (size_t row = 0; row < rows_.size(); ++row) {
        order[rows_[row]] = parent->Child(static_cast<int>(row));
        rows[rows_[row]] = static_cast<int>(row);
    }
    model.ReorderChildren(parent, order);
    rows_ = std::move(rows);
}

void TOutlineStep::SwapNumber(TOutlineItemModel& model) {
    TOutlineItem* item = ParentAt(model.Outline(), place_.parentIndex)->Child(place_.row);
    std::swap(item->ItemNumber, number_);
}

// Items past the end of flags are collapsed.
void TOutlineStep::ApplyExpanded(const TOutline& outline, const TBitList& flags,
                                 const SetExpanded& setExpanded) {
    for (const int index : outline.ExpandedFlags().Differences(flags)) {
        if (TOutlineItem* item = outline.ItemAt(index))
            setExpanded(item, index < flags.Size() && flags.At(index));
    }
}
