#pragma once

#include <optional>
#include <vector>

#include "document/TOutlineStep.h"

// Puts the children of an item in the order of their labels as Japanese is sorted
// (QCollator for Japanese, numbers compared by their value). Children with equal labels
// keep their order.
class TLabelSort {
  public:
    static std::vector<TOutlineItem*> Sorted(const TOutlineItem* parent, Qt::SortOrder order);

    // Puts the children of parent into that order through the model (one change of the
    // layout), each with its subtree and its expanded flags. Returns the change, which selects
    // parent when it is taken back or made again; nothing when no child had to move.
    static std::optional<TOutlineStep> Apply(TOutlineItemModel& model, TOutlineItem* parent,
                                             Qt::SortOrder order);
};
