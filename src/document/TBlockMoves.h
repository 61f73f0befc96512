#pragma once

#include <optional>
#include <vector>

#include "document/TMovePrimitive.h"
#include "document/TOutlineStep.h"

// Moves and removes several blocks of items (see TItemSelection) as one change of the
// outline, keeping their order. Each block takes its subtree along and keeps the items
// of it open that were open; an emptied parent closes, a parent that receives a block
// opens. Every operation returns the change for the outline's history, nothing when
// no block moved.
//
// A block that cannot move (the first of its siblings moving up, the last moving down)
// holds back the selected blocks right behind it: a block never passes another one.
class TBlockMoves {
  public:
    TBlockMoves(TOutlineItemModel& model, TOutlineStep::SetExpanded setExpanded);

    std::optional<TOutlineStep> Up(const std::vector<TOutlineItem*>& blocks);
    std::optional<TOutlineStep> Down(const std::vector<TOutlineItem*>& blocks);
    // Each block follows its parent's whole subtree.
    std::optional<TOutlineStep> Left(const std::vector<TOutlineItem*>& blocks);
    // Each block becomes the last child of its previous sibling.
    std::optional<TOutlineStep> Right(const std::vector<TOutlineItem*>& blocks);
    // Every block to the same place relative to target, one after the other (a drop).
    std::optional<TOutlineStep> To(const std::vector<TOutlineItem*>& blocks,
                                   TMovePrimitive::Mode mode, TOutlineItem* target);
    // Removes the blocks with their subtrees; their items keep their numbers (and so
    // their texts) for the change to be taken back.
    std::optional<TOutlineStep> Remove(const std::vector<TOutlineItem*>& blocks);
    // Joins the blocks into the first: its text moves to the file joinedNumber (which
    // holds the joined texts already), the children of the others follow its own in
    // order and the others go. Nothing with fewer than two blocks.
    std::optional<TOutlineStep> Join(const std::vector<TOutlineItem*>& blocks, int joinedNumber);

  private:
    // Moves one block with its subtree; adds the change to steps_. False: it stays.
    bool Move(TOutlineItem* item, TMovePrimitive::Mode mode, TOutlineItem* target);
    void RemoveEach(const std::vector<TOutlineItem*>& blocks);
    // Up (forward false) or down by one step.
    std::optional<TOutlineStep> Step(const std::vector<TOutlineItem*>& blocks, bool forward);
    // The blocks that may move one step towards their first (forward false) or last
    // sibling, in the order to move them.
    static std::vector<TOutlineItem*> Movable(const std::vector<TOutlineItem*>& blocks,
                                              bool forward);
    std::optional<TOutlineStep> Finish();

    TOutlineItemModel& model_;
    TOutlineStep::SetExpanded setExpanded_;
    std::vector<TOutlineStep> steps_;
};
