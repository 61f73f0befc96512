#pragma once

#include <QPoint>
#include <functional>
#include <optional>
#include <vector>

#include "document/TBlockMoves.h"
#include "document/TMovePrimitive.h"

class QPlainTextEdit;
class TDocumentSession;
class TErrorBox;
class TItemTextBinding;
class TMessageBoxes;
class TOutlineItem;
class TOutlineView;

// The operations on the outline's structure: adding items beside or below the selected
// one (empty or from the clipboard), deleting, moving up, down, out of and into the
// parent, and dragging. Each keeps every text with its item, the editor on the selected
// item's text and CurrentItemIndex on the selected item.
class TItemCommands {
  public:
    TItemCommands(TDocumentSession& session, TItemTextBinding& texts, TOutlineView* tree,
                  QPlainTextEdit* editor, TMessageBoxes& boxes, TErrorBox& errors);

    // Asks for the deferred full redraw after pasting an item.
    std::function<void()> StartRedrawTimer;

    void AddItem();
    void AddChildItem();
    void AddItemText();
    void AddChildItemText();
    void DeleteItem();
    void MoveUpItem();
    void MoveDownItem();
    void MoveLeftItem();
    void MoveRightItem();
    // The selected item dropped at point, in the outline's viewport.
    void TreeDragDrop(const QPoint& point);
    // Removes the blocks with their subtrees as one change, without a question; the item
    // before the first of them is selected. Returns false when nothing was removed: a
    // block is the first item, which stays, or the editor's text could not be stored.
    bool RemoveBlocks(const std::vector<TOutlineItem*>& blocks);
    // Takes back the last outline change, or makes the last one taken back again. The
    // selection goes to the item the change concerned; the document counts as changed.
    void Undo();
    void Redo();

  private:
    // With several items selected, the commands act on all of them as blocks.
    std::vector<TOutlineItem*> SeveralBlocks() const;
    void DeleteBlocks(const std::vector<TOutlineItem*>& blocks);
    using BlockMove =
        std::function<std::optional<TOutlineStep>(TBlockMoves&, const std::vector<TOutlineItem*>&)>;
    // Moves the blocks as one change; the current item and the selection stay with them.
    void MoveBlocks(const std::vector<TOutlineItem*>& blocks, const BlockMove& move);
    TOutlineStep::SetExpanded ViewExpander();
    void DropBlocks(const std::vector<TOutlineItem*>& blocks, const QPoint& point);
    TOutlineItem* AppendNewItem(TOutlineItem* parent);
    void PasteAsLabel(TOutlineItem* item);
    QString EditorFirstLine() const;
    bool MoveSubtree(TOutlineItem* item, TMovePrimitive::Mode mode, TOutlineItem* target);
    void RebindMovedItem(TOutlineItem* item, TOutlineItem* neighbour);
    void CollapseSubtree(TOutlineItem* item);
    void Reverse(bool undo);
    void ShowAfterReverse(TOutlineItem* item, int shownNumber);

    TDocumentSession& session_;
    TItemTextBinding& texts_;
    TOutlineView* tree_;
    QPlainTextEdit* editor_;
    TMessageBoxes& boxes_;
    TErrorBox& errors_;
};
