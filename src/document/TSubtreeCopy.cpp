#include "document/TSubtreeCopy.h"

#include <vector>

namespace {

struct Copy {
    const TOutlineItem* original;
    int itemNumber;
    int depth;  // 0 for the copied item
};

void Collect(const TOutlineItem* item, int depth, const TSubtreeCopy::NumberFor& numberFor,
             std::vector<Copy>& copies) {
    copies.push_back({item, numberFor(*item), depth});
    for (int row = 0; row < item->ChildCount(); ++row)
        Collect(item->Child(row), depth + 1, numberFor, copies);
}

}  // namespace

TOutlineItem* TSubtreeCopy::Duplicate(TOutlineItemModel& model, const TOutlineItem* item,
                                      const NumberFor& numberFor) {
    std::vector<Copy> copies;
    Collect(item, 0, numberFor, copies);
    TOutlineItem* parent = item->Parent();
    const int row = item->Row() + 1;
    TOutlineItem* top = nullptr;
    model.InsertRows(parent, row, 1, [&](TOutline& outline) {
        // parents[d]: the copy that takes the copies of depth d + 1.
        std::vector<TOutlineItem*> parents;
        for (const Copy& copy : copies) {
            TOutlineItem* below = copy.depth == 0 ? parent : parents[copy.depth - 1];
            const int at = copy.depth == 0 ? row : below->ChildCount();
            TOutlineItem* made = outline.Insert(below, at, copy.original->Label, copy.itemNumber);
            made->LabelBytes = copy.original->LabelBytes;
            made->ImageIndex = copy.original->ImageIndex;
            made->SelectedIndex = copy.original->SelectedIndex;
            parents.resize(static_cast<size_t>(copy.depth));
            parents.push_back(made);
        }
        top = parents.front();
    });
    return top;
}
