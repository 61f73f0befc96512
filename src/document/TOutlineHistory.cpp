#include "document/TOutlineHistory.h"

void TOutlineHistory::Add(TOutlineStep step) {
    undo_.push_back(std::move(step));
    redo_.clear();
}

void TOutlineHistory::Clear() {
    undo_.clear();
    redo_.clear();
}

int TOutlineHistory::Undo(TOutlineItemModel& model, const TOutlineStep::SetExpanded& setExpanded) {
    return Pass(undo_, redo_, model, setExpanded);
}

int TOutlineHistory::Redo(TOutlineItemModel& model, const TOutlineStep::SetExpanded& setExpanded) {
    return Pass(redo_, undo_, model, setExpanded);
}

int TOutlineHistory::Pass(std::vector<TOutlineStep>& from, std::vector<TOutlineStep>& to,
                          TOutlineItemModel& model, const TOutlineStep::SetExpanded& setExpanded) {
    if (from.empty()) return -1;
    TOutlineStep step = std::move(from.back());
    from.pop_back();
    const int selected = step.Reverse(model, setExpanded);
    to.push_back(std::move(step));
    return selected;
}
