#include "document/TExpandedStates.h"

namespace {

void Collect(const TOutlineItem* item, std::vector<bool>& flags) {
    flags.push_back(item->Expanded());
    for (int row = 0; row < item->ChildCount(); ++row) Collect(item->Child(row), flags);
}

}  // namespace

TExpandedStates TExpandedStates::Take(const TOutlineItem* item) {
    TExpandedStates states;
    Collect(item, states.flags_);
    return states;
}

std::vector<int> TExpandedStates::IndexesToExpand(int newIndex) const {
    std::vector<int> indexes;
    for (size_t k = 0; k < flags_.size(); ++k)
        if (flags_[k]) indexes.push_back(newIndex + static_cast<int>(k));
    return indexes;
}
