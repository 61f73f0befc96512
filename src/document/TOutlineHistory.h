#pragma once

#include <vector>

#include "document/TOutlineStep.h"

// The changes of the outline made in this session, to be undone and redone in turn.
// A new change drops whatever had been undone; a new outline starts an empty history.
class TOutlineHistory {
  public:
    void Add(TOutlineStep step);
    void Clear();

    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    int UndoCount() const { return static_cast<int>(undo_.size()); }
    // Both return the absolute index of the item to select afterwards (-1: none).
    // Nothing to undo or redo: the outline stays as it is and the result is -1.
    int Undo(TOutlineItemModel& model, const TOutlineStep::SetExpanded& setExpanded);
    int Redo(TOutlineItemModel& model, const TOutlineStep::SetExpanded& setExpanded);

  private:
    static int Pass(std::vector<TOutlineStep>& from, std::vector<TOutlineStep>& to,
                    TOutlineItemModel& model, const TOutlineStep::SetExpanded& setExpanded);

    std::vector<TOutlineStep> undo_;
    std::vector<TOutlineStep> redo_;
};
