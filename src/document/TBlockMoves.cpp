#include "document/TBlockMoves.h"

#include <unordered_map>
#include <unordered_set>

#include "document/TExpandedStates.h"

TBlockMoves::TBlockMoves(TOutlineItemModel& model, TOutlineStep::SetExpanded setExpanded)
    : model_(model), setExpanded_(std::move(setExpanded)) {}

std::vector<TOutlineItem*> TBlockMoves::Movable(const std::vector<TOutlineItem*>& blocks,
                                                bool forward) {
    std::vector<TOutlineItem*> movable;
    std::unordered_set<const TOutlineItem*> held;
    const auto consider = [&](TOutlineItem* block) {
        const TOutlineItem* parent = block->Parent();
        const int neighbourRow = block->Row() + (forward ? 1 : -1);
        if (neighbourRow < 0 || neighbourRow >= parent->ChildCount() ||
            held.count(parent->Child(neighbourRow))) {
            held.insert(block);
            return;
        }
        movable.push_back(block);
    };
    if (forward)
        for (auto block = blocks.rbegin(); block != blocks.rend(); ++block) consider(*block);
    else
        for (TOutlineItem* block : blocks) consider(block);
    return movable;
}

std::optional<TOutlineStep> TBlockMoves::Up(const std::vector<TOutlineItem*>& blocks) {
    return Step(blocks, false);
}

std::optional<TOutlineStep> TBlockMoves::Down(const std::vector<TOutlineItem*>& blocks) {
    return Step(blocks, true);
}

// Each movable block changes places with its neighbour. Blocks are taken from the end
// they move towards, so a block's row is still its place in the new order when its turn
// comes; every parent's children are then put in their new order at once.
std::optional<TOutlineStep> TBlockMoves::Step(const std::vector<TOutlineItem*>& blocks,
                                              bool forward) {
    std::vector<TOutlineItem*> parents;
    std::unordered_map<TOutlineItem*, std::vector<TOutlineItem*>> orders;
    for (TOutlineItem* block : Movable(blocks, forward)) {
        TOutlineItem* parent = block->Parent();
        auto [order, added] = orders.try_emplace(parent);
        if (added) {
            parents.push_back(parent);
            for (int row = 0; row < parent->ChildCount(); ++row)
                order->second.push_back(parent->Child(row));
        }
        const size_t row = static_cast<size_t>(block->Row());
        std::swap(order->second[row], order->second[forward ? row + 1 : row - 1]);
    }
    TOutline& outline = model_.Outline();
    for (TOutlineItem* parent : parents) {
        const std::vector<TOutlineItem*>& order = orders[parent];
        std::vector<int> formerRows;
        formerRows.reserve(order.size());
        for (const TOutlineItem* child : order) formerRows.push_back(child->Row());
        TBitList expanded = outline.ExpandedFlags();
        const int selected = outline.AbsoluteIndexOf(blocks.front());
        model_.ReorderChildren(parent, order);
        steps_.push_back(TOutlineStep::Reordered(outline, parent, std::move(formerRows), selected,
                                                 outline.AbsoluteIndexOf(blocks.front()),
                                                 std::move(expanded)));
    }
    return Finish();
}

std::optional<TOutlineStep> TBlockMoves::Left(const std::vector<TOutlineItem*>& blocks) {
    const TOutlineItem* root = model_.Outline().Root();
    // From the last: each lands right behind its former parent, before those moved already.
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block) {
        TOutlineItem* parent = (*block)->Parent();
        if (parent == root) continue;
        TOutlineItem* grandparent = parent->Parent();
        if (parent->Row() + 1 < grandparent->ChildCount())
            Move(*block, TMovePrimitive::Mode::Before, grandparent->Child(parent->Row() + 1));
        else
            Move(*block, TMovePrimitive::Mode::LastSibling, parent);
    }
    return Finish();
}

std::optional<TOutlineStep> TBlockMoves::Right(const std::vector<TOutlineItem*>& blocks) {
    for (TOutlineItem* block : Movable(blocks, false))
        Move(block, TMovePrimitive::Mode::LastChild, block->Parent()->Child(block->Row() - 1));
    return Finish();
}

std::optional<TOutlineStep> TBlockMoves::To(const std::vector<TOutlineItem*>& blocks,
                                            TMovePrimitive::Mode mode, TOutlineItem* target) {
    for (TOutlineItem* block : blocks) Move(block, mode, target);
    return Finish();
}

std::optional<TOutlineStep> TBlockMoves::Remove(const std::vector<TOutlineItem*>& blocks) {
    RemoveEach(blocks);
    return Finish();
}

void TBlockMoves::RemoveEach(const std::vector<TOutlineItem*>& blocks) {
    TOutline& outline = model_.Outline();
    // From the last, so that the places of the ones before stay as they were.
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block) {
        steps_.push_back(TOutlineStep::Removing(outline, *block, outline.ExpandedFlags()));
        model_.RemoveItem(*block);
    }
}

std::optional<TOutlineStep> TBlockMoves::Join(const std::vector<TOutlineItem*>& blocks,
                                              int joinedNumber) {
    if (blocks.size() < 2) return std::nullopt;
    TOutlineItem* first = blocks.front();
    const int formerNumber = first->ItemNumber;
    first->ItemNumber = joinedNumber;
    steps_.push_back(TOutlineStep::Renumbered(model_.Outline(), first, formerNumber));
    const std::vector<TOutlineItem*> others(blocks.begin() + 1, blocks.end());
    for (TOutlineItem* other : others)
        while (other->HasChildren()) Move(other->Child(0), TMovePrimitive::Mode::LastChild, first);
    RemoveEach(others);
    return Finish();
}

bool TBlockMoves::Move(TOutlineItem* item, TMovePrimitive::Mode mode, TOutlineItem* target) {
    TOutline& outline = model_.Outline();
    const auto destination = TMovePrimitive::Resolve(outline, item, mode, target);
    if (!destination) return false;
    const TExpandedStates states = TExpandedStates::Take(item);
    TOutlineItem* formerParent = item->Parent();
    TBitList expanded = outline.ExpandedFlags();
    const TOutlineStep::Place from = TOutlineStep::PlaceOf(outline, item);
    const int index = outline.AbsoluteIndexOf(item);
    model_.MoveItem(item, destination->parent, destination->row);
    steps_.push_back(TOutlineStep::Moved(outline, item, from, index, std::move(expanded)));
    if (destination->parent != outline.Root() && !destination->parent->Expanded())
        setExpanded_(destination->parent, true);
    if (formerParent != outline.Root() && !formerParent->HasChildren())
        setExpanded_(formerParent, false);
    // The view forgets the open rows of a moved subtree: open them again.
    const int movedTo = outline.AbsoluteIndexOf(item);
    for (const int open : states.IndexesToExpand(movedTo)) setExpanded_(outline.ItemAt(open), true);
    return true;
}

std::optional<TOutlineStep> TBlockMoves::Finish() {
    if (steps_.empty()) return std::nullopt;
    std::vector<TOutlineStep> steps = std::move(steps_);
    steps_.clear();
    if (steps.size() == 1) return std::move(steps.front());
    return TOutlineStep::Group(std::move(steps));
}
