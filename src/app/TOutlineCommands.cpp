#include "app/TOutlineCommands.h"

#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TItemTextBinding.h"
#include "app/TOutlineView.h"
#include "document/TExpandedStates.h"
#include "document/TLabelSort.h"
#include "document/TOutlineItemModel.h"
#include "document/TOutlineLevels.h"
#include "document/TSubtreeCopy.h"

namespace {

// The item itself when all its ancestors are expanded, else its topmost collapsed one.
TOutlineItem* ShownAncestor(TOutlineItem* item, const TOutlineItem* root) {
    TOutlineItem* shown = item;
    for (TOutlineItem* above = item->Parent(); above && above != root; above = above->Parent())
        if (!above->Expanded()) shown = above;
    return shown;
}

}  // namespace

TOutlineCommands::TOutlineCommands(TDocumentSession& session, TItemTextBinding& texts,
                                   TOutlineView* tree, TErrorBox& errors)
    : session_(session), texts_(texts), tree_(tree), errors_(errors) {}

bool TOutlineCommands::CanAct() const {
    return !tree_->EditingLabel() && !session_.Outline().IsEmpty() && texts_.SelectedItem();
}

void TOutlineCommands::ShowToLevel(int level) {
    if (CanAct()) Refold(TOutlineLevels::ShownTo(session_.Outline(), level));
}

void TOutlineCommands::ExpandAll() { ShowToLevel(TOutlineLevels::kAllLevels); }

void TOutlineCommands::CollapseAll() { ShowToLevel(0); }

void TOutlineCommands::ExpandSelected() {
    if (CanAct()) Refold(TOutlineLevels::Subtree(session_.Outline(), texts_.SelectedItem(), true));
}

void TOutlineCommands::CollapseSelected() {
    if (CanAct()) Refold(TOutlineLevels::Subtree(session_.Outline(), texts_.SelectedItem(), false));
}

void TOutlineCommands::Refold(const TBitList& target) {
    TOutline& outline = session_.Outline();
    const std::vector<int> changes = outline.ExpandedFlags().Differences(target);
    if (changes.empty()) return;
    TBitList before = outline.ExpandedFlags();
    TOutlineItem* selected = texts_.SelectedItem();
    const int selectedBefore = outline.AbsoluteIndexOf(selected);
    tree_->DeferLayout();
    for (const int index : changes)
        texts_.SetExpanded(outline.ItemAt(index), index < target.Size() && target.At(index));
    errors_.Run([&] {
        TOutlineItem* shown = ShownAncestor(selected, outline.Root());
        if (shown != selected) texts_.SelectItem(shown);  // its text is stored first
    });
    const int selectedNow = outline.AbsoluteIndexOf(texts_.SelectedItem());
    session_.History.Add(TOutlineStep::Refolded(selectedBefore, selectedNow, std::move(before)));
}

void TOutlineCommands::Duplicate() {
    if (!CanAct()) return;
    const std::vector<TOutlineItem*> blocks = texts_.SelectedBlocks();
    errors_.Run([&] {
        TOutline& outline = session_.Outline();
        // The editor's text reaches its file before the files are copied.
        TOutlineItem* current = session_.ItemAtCurrentIndex();
        if (current) texts_.StoreEditorText(current);
        std::vector<TOutlineStep> steps;
        std::vector<TOutlineItem*> copies;
        // From the last, so that the places of the ones before stay as they were.
        for (auto block = blocks.rbegin(); block != blocks.rend(); ++block) {
            TOutlineItem* copy = DuplicateBlock(*block, steps);
            copies.insert(copies.begin(), copy);
        }
        session_.History.Add(steps.size() == 1 ? std::move(steps.front())
                                               : TOutlineStep::Group(std::move(steps)));
        session_.Modified = true;
        // Copies placed before the current item have moved it on.
        session_.CurrentItemIndex = outline.AbsoluteIndexOf(current);
        texts_.SelectItems(copies, copies.front());
    });
}

TOutlineItem* TOutlineCommands::DuplicateBlock(TOutlineItem* item,
                                               std::vector<TOutlineStep>& steps) {
    TOutline& outline = session_.Outline();
    TBitList expanded = outline.ExpandedFlags();
    const TExpandedStates states = TExpandedStates::Take(item);
    const TItemTextStore& store = session_.Store;
    TOutlineItem* copy =
        TSubtreeCopy::Duplicate(*session_.TreeModel, item, [&](const TOutlineItem& original) {
            const int number = session_.AllocateItemNumber();
            store.Store(number, store.Load(original.ItemNumber));
            return number;
        });
    steps.push_back(
        TOutlineStep::Inserted(outline, copy, outline.AbsoluteIndexOf(item), std::move(expanded)));
    for (const int index : states.IndexesToExpand(outline.AbsoluteIndexOf(copy)))
        texts_.SetExpanded(outline.ItemAt(index), true);
    return copy;
}

void TOutlineCommands::SortChildren(Qt::SortOrder order) {
    if (!CanAct()) return;
    TOutlineItem* parent = texts_.SelectedItem();
    // The selected item stays where it is: the moves below it are no selection change.
    const bool syncing = session_.SelectionSync;
    session_.SelectionSync = false;
    std::optional<TOutlineStep> step = TLabelSort::Apply(*session_.TreeModel, parent, order);
    session_.SelectionSync = syncing;
    if (!step) return;
    session_.History.Add(std::move(*step));
    session_.Modified = true;
}
