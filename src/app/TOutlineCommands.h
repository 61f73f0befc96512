#pragma once

#include <Qt>
#include <vector>

class TBitList;
class TDocumentSession;
class TErrorBox;
class TItemTextBinding;
class TOutlineItem;
class TOutlineStep;
class TOutlineView;

// The commands that act on the outline as a whole or on the selected item's subtree:
// showing the outline down to a level, expanding and collapsing all or a subtree,
// duplicating the selected item and sorting its children. Each is one change of the
// outline's history. None acts while a label is being edited or nothing is selected.
class TOutlineCommands {
  public:
    TOutlineCommands(TDocumentSession& session, TItemTextBinding& texts, TOutlineView* tree,
                     TErrorBox& errors);

    // Items shallower than level expanded, the others collapsed (top-level items are at
    // level 1). A selected item that this hides passes the selection to its shown ancestor.
    void ShowToLevel(int level);
    void ExpandAll();
    void CollapseAll();
    void ExpandSelected();
    void CollapseSelected();
    // A copy of each selected item (block, see TItemSelection) with its descendants,
    // labels and texts, inserted right after its subtree; the copies are selected.
    void Duplicate();
    void SortChildren(Qt::SortOrder order);

  private:
    bool CanAct() const;
    // Copies the item with its subtree and texts after it; adds the change to steps.
    TOutlineItem* DuplicateBlock(TOutlineItem* item, std::vector<TOutlineStep>& steps);
    // Expands and collapses the items whose flags differ from target, as one change.
    void Refold(const TBitList& target);

    TDocumentSession& session_;
    TItemTextBinding& texts_;
    TOutlineView* tree_;
    TErrorBox& errors_;
};
