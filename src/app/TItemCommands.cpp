#include "app/TItemCommands.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>

#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TItemTextBinding.h"
#include "app/TOutlineView.h"
#include "document/TExpandedStates.h"
#include "document/TItemSelection.h"
#include "document/TOutlineItemModel.h"
#include "platform/TMessageBoxes.h"
#include "ui/TAutoLabel.h"

TItemCommands::TItemCommands(TDocumentSession& session, TItemTextBinding& texts, TOutlineView* tree,
                             QPlainTextEdit* editor, TMessageBoxes& boxes, TErrorBox& errors)
    : session_(session),
      texts_(texts),
      tree_(tree),
      editor_(editor),
      boxes_(boxes),
      errors_(errors) {}

void TItemCommands::CollapseSubtree(TOutlineItem* item) {
    texts_.SetExpanded(item, false);
    for (int row = 0; row < item->ChildCount(); ++row) CollapseSubtree(item->Child(row));
}

void TItemCommands::AddItem() {
    errors_.Run([this] {
        if (session_.Outline().IsEmpty()) editor_->clear();  // the notice of the empty outline goes
        const TOutlineItem* selected = texts_.SelectedItem();
        AppendNewItem(selected ? selected->Parent() : nullptr);
    });
}

void TItemCommands::AddChildItem() {
    if (session_.CurrentItemIndex == -1) return;
    errors_.Run([this] { AppendNewItem(texts_.SelectedItem()); });
}

TOutlineItem* TItemCommands::AppendNewItem(TOutlineItem* parent) {
    if (!parent) parent = session_.Outline().Root();
    TBitList expanded = session_.Outline().ExpandedFlags();
    const int selected = session_.Outline().AbsoluteIndexOf(texts_.SelectedItem());
    const int number = session_.AllocateItemNumber();
    TOutlineItem* item = session_.TreeModel->InsertItem(parent, parent->ChildCount(),
                                                        QStringLiteral("新規"), number);
    texts_.SelectItem(item);
    session_.History.Add(
        TOutlineStep::Inserted(session_.Outline(), item, selected, std::move(expanded)));
    item->ImageIndex = 0;
    item->SelectedIndex = 1;
    session_.Modified = true;
    return item;
}

void TItemCommands::AddItemText() {
    AddItem();
    errors_.Run([this] { PasteAsLabel(texts_.SelectedItem()); });
}

void TItemCommands::AddChildItemText() {
    if (session_.CurrentItemIndex == -1) return;
    AddChildItem();
    errors_.Run([this] { PasteAsLabel(texts_.SelectedItem()); });
}

void TItemCommands::PasteAsLabel(TOutlineItem* item) {
    if (!item) return;
    editor_->insertPlainText(QGuiApplication::clipboard()->text());
    if (const std::optional<QString> label = TAutoLabel::For(session_.Settings, EditorFirstLine()))
        session_.TreeModel->SetLabel(item, *label);
    session_.Modified = true;
    if (StartRedrawTimer) StartRedrawTimer();
}

QString TItemCommands::EditorFirstLine() const {
    const QTextBlock block = editor_->document()->firstBlock();
    QString line = block.text();
    // A line separator (Shift+Enter) ends the first line as well.
    const qsizetype separator = line.indexOf(QChar::LineSeparator);
    if (separator >= 0) line.truncate(separator);
    if (editor_->lineWrapMode() == QPlainTextEdit::NoWrap) return line;
    editor_->document()->documentLayout()->blockBoundingRect(block);  // lays the block out
    const QTextLayout* layout = block.layout();
    if (layout && layout->lineCount() > 0) line.truncate(layout->lineAt(0).textLength());
    return line;
}

std::vector<TOutlineItem*> TItemCommands::SeveralBlocks() const {
    std::vector<TOutlineItem*> blocks = texts_.SelectedBlocks();
    if (blocks.size() == 1 && blocks.front() == texts_.SelectedItem()) blocks.clear();
    return blocks;
}

TOutlineStep::SetExpanded TItemCommands::ViewExpander() {
    return [this](TOutlineItem* item, bool expanded) { texts_.SetExpanded(item, expanded); };
}

void TItemCommands::DeleteBlocks(const std::vector<TOutlineItem*>& blocks) {
    using Kind = TMessageBoxes::Kind;
    const int count = TItemSelection::ItemCount(blocks);
    const int selected = static_cast<int>(blocks.size());
    const QString question =
        count == selected
            ? QStringLiteral("選択している %1 個の項目を削除します。よろしいですか？").arg(selected)
            : QStringLiteral(
                  "選択している %1 個の項目と、その子項目（合わせて %2 項目）を削除します。"
                  "よろしいですか？")
                  .arg(selected)
                  .arg(count);
    if (boxes_.Ask(Kind::Confirmation, question, TMessageBoxes::Buttons::YesNo) !=
        TMessageBoxes::Answer::Yes)
        return;
    if (session_.Outline().AbsoluteIndexOf(blocks.front()) == 0) {
        boxes_.Ask(Kind::Warning,
                   QStringLiteral("一番上の項目は、削除できません。削除したい場合は項目を「down」"
                                  "ボタンで移動してから実行してください。"),
                   TMessageBoxes::Buttons::Ok);
        return;
    }
    RemoveBlocks(blocks);
}

bool TItemCommands::RemoveBlocks(const std::vector<TOutlineItem*>& blocks) {
    TOutline& outline = session_.Outline();
    const int first = blocks.empty() ? -1 : outline.AbsoluteIndexOf(blocks.front());
    if (first <= 0) return false;
    TOutlineItem* previous = outline.ItemAt(first - 1);
    texts_.SelectItem(previous);  // the editor's text reaches its file
    if (texts_.SelectedItem() != previous) return false;
    session_.SelectionSync = false;
    std::optional<TOutlineStep> step =
        TBlockMoves(*session_.TreeModel, ViewExpander()).Remove(blocks);
    session_.SelectionSync = true;
    session_.History.Add(std::move(*step));
    session_.Modified = true;
    return true;
}

void TItemCommands::MoveBlocks(const std::vector<TOutlineItem*>& blocks, const BlockMove& move) {
    errors_.Run([&] {
        TOutlineItem* current = session_.ItemAtCurrentIndex();
        if (current) texts_.StoreEditorText(current);
        const bool syncing = session_.SelectionSync;
        session_.SelectionSync = false;
        TBlockMoves moves(*session_.TreeModel, ViewExpander());
        std::optional<TOutlineStep> step = move(moves, blocks);
        if (step) {
            session_.History.Add(std::move(*step));
            session_.Modified = true;
        }
        // The editor keeps the current item's text: only its place has changed.
        session_.CurrentItemIndex = session_.Outline().AbsoluteIndexOf(current);
        texts_.SelectItems(blocks, current ? current : blocks.front());
        session_.SelectionSync = syncing;
    });
}

void TItemCommands::DeleteItem() {
    if (const std::vector<TOutlineItem*> blocks = SeveralBlocks(); !blocks.empty())
        return DeleteBlocks(blocks);
    TOutlineItem* selected = texts_.SelectedItem();
    if (session_.Outline().IsEmpty() || !selected) return;
    using Kind = TMessageBoxes::Kind;
    if (boxes_.Ask(Kind::Confirmation,
                   QStringLiteral("選択している項目と、その子項目を削除します。よろしいですか？"),
                   TMessageBoxes::Buttons::YesNo) != TMessageBoxes::Answer::Yes)
        return;
    const int index = session_.Outline().AbsoluteIndexOf(selected);
    if (index == 0) {
        boxes_.Ask(Kind::Warning,
                   QStringLiteral("一番上の項目は、削除できません。削除したい場合は項目を「down」"
                                  "ボタンで移動してから実行してください。"),
                   TMessageBoxes::Buttons::Ok);
        return;
    }
    TOutlineItem* previous = session_.Outline().ItemAt(index - 1);
    TBitList expanded = session_.Outline().ExpandedFlags();
    texts_.SelectItem(previous);
    if (texts_.SelectedItem() != previous) return;  // the text could not be stored: nothing goes
    TOutlineItem* removed = session_.Outline().ItemAt(index);
    session_.History.Add(TOutlineStep::Removing(session_.Outline(), removed, std::move(expanded)));
    session_.SelectionSync = false;
    session_.TreeModel->RemoveItem(removed);
    session_.SelectionSync = true;
    session_.Modified = true;
}

bool TItemCommands::MoveSubtree(TOutlineItem* item, TMovePrimitive::Mode mode,
                                TOutlineItem* target) {
    const auto destination = TMovePrimitive::Resolve(session_.Outline(), item, mode, target);
    if (!destination) return false;
    TOutlineItem* formerParent = item->Parent();
    TBitList expanded = session_.Outline().ExpandedFlags();
    const TOutlineStep::Place from = TOutlineStep::PlaceOf(session_.Outline(), item);
    const int index = session_.Outline().AbsoluteIndexOf(item);
    // The move itself is no selection change: the selection stays on the item.
    const bool syncing = session_.SelectionSync;
    session_.SelectionSync = false;
    session_.TreeModel->MoveItem(item, destination->parent, destination->row);
    session_.SelectionSync = syncing;
    session_.History.Add(
        TOutlineStep::Moved(session_.Outline(), item, from, index, std::move(expanded)));
    CollapseSubtree(item);
    if (destination->parent != session_.Outline().Root())
        texts_.SetExpanded(destination->parent, true);
    if (formerParent != session_.Outline().Root() && !formerParent->HasChildren())
        texts_.SetExpanded(formerParent, false);
    return true;
}

// After a move the editor still holds the moved item's text: name its new index,
// then pass the selection through a neighbour so that both texts are stored and the
// neighbour is shown the way the user last left it.
void TItemCommands::RebindMovedItem(TOutlineItem* item, TOutlineItem* neighbour) {
    session_.CurrentItemIndex = session_.Outline().AbsoluteIndexOf(item);
    if (neighbour) texts_.SelectItem(neighbour);
    texts_.SelectItem(item);
}

void TItemCommands::MoveUpItem() {
    if (const std::vector<TOutlineItem*> blocks = SeveralBlocks(); !blocks.empty())
        return MoveBlocks(blocks, [](TBlockMoves& moves, const std::vector<TOutlineItem*>& items) {
            return moves.Up(items);
        });
    TOutlineItem* item = texts_.SelectedItem();
    if (!item || item->Row() == 0) return;  // the first of its siblings
    errors_.Run([&] {
        const TExpandedStates states = TExpandedStates::Take(item);
        TOutlineItem* previous = item->Parent()->Child(item->Row() - 1);
        texts_.StoreEditorText(item);
        MoveSubtree(item, TMovePrimitive::Mode::Before, previous);
        RebindMovedItem(item,
                        session_.Outline().ItemAt(session_.Outline().AbsoluteIndexOf(item) + 1));
        session_.Modified = true;
        for (int index : states.IndexesToExpand(session_.Outline().AbsoluteIndexOf(item)))
            texts_.SetExpanded(session_.Outline().ItemAt(index), true);
    });
}

void TItemCommands::MoveDownItem() {
    if (const std::vector<TOutlineItem*> blocks = SeveralBlocks(); !blocks.empty())
        return MoveBlocks(blocks, [](TBlockMoves& moves, const std::vector<TOutlineItem*>& items) {
            return moves.Down(items);
        });
    TOutlineItem* item = texts_.SelectedItem();
    if (!item) return;
    TOutlineItem* parent = item->Parent();
    if (item->Row() + 1 >= parent->ChildCount()) return;  // the last of its siblings
    errors_.Run([&] {
        const TExpandedStates states = TExpandedStates::Take(item);
        TOutlineItem* next = parent->Child(item->Row() + 1);
        texts_.StoreEditorText(item);
        if (next->Row() + 1 < parent->ChildCount())
            MoveSubtree(item, TMovePrimitive::Mode::Before, parent->Child(next->Row() + 1));
        else
            MoveSubtree(item, TMovePrimitive::Mode::LastSibling, next);
        RebindMovedItem(item,
                        session_.Outline().ItemAt(session_.Outline().AbsoluteIndexOf(item) - 1));
        session_.Modified = true;
        for (int index : states.IndexesToExpand(session_.Outline().AbsoluteIndexOf(item)))
            texts_.SetExpanded(session_.Outline().ItemAt(index), true);
    });
}

void TItemCommands::MoveLeftItem() {
    if (const std::vector<TOutlineItem*> blocks = SeveralBlocks(); !blocks.empty())
        return MoveBlocks(blocks, [](TBlockMoves& moves, const std::vector<TOutlineItem*>& items) {
            return moves.Left(items);
        });
    TOutlineItem* item = texts_.SelectedItem();
    if (!item || item->Parent() == session_.Outline().Root()) return;
    errors_.Run([&] {
        const TExpandedStates states = TExpandedStates::Take(item);
        TOutlineItem* formerParent = item->Parent();
        const int index = session_.Outline().AbsoluteIndexOf(item);
        const bool orderChanges = item->Row() + 1 < formerParent->ChildCount();
        if (orderChanges) texts_.StoreEditorText(item);
        // The item follows its former parent's whole subtree.
        TOutlineItem* grandparent = formerParent->Parent();
        if (formerParent->Row() + 1 < grandparent->ChildCount())
            MoveSubtree(item, TMovePrimitive::Mode::Before,
                        grandparent->Child(formerParent->Row() + 1));
        else
            MoveSubtree(item, TMovePrimitive::Mode::LastSibling, formerParent);
        if (orderChanges) {
            RebindMovedItem(item, session_.Outline().ItemAt(index));
            session_.Modified = true;
        }
        for (int expand : states.IndexesToExpand(session_.Outline().AbsoluteIndexOf(item)))
            texts_.SetExpanded(session_.Outline().ItemAt(expand), true);
    });
}

void TItemCommands::MoveRightItem() {
    if (const std::vector<TOutlineItem*> blocks = SeveralBlocks(); !blocks.empty())
        return MoveBlocks(blocks, [](TBlockMoves& moves, const std::vector<TOutlineItem*>& items) {
            return moves.Right(items);
        });
    TOutlineItem* item = texts_.SelectedItem();
    if (!item || item->Row() == 0) return;  // no previous sibling to move into
    const bool wasExpanded = item->Expanded();
    MoveSubtree(item, TMovePrimitive::Mode::LastChild, item->Parent()->Child(item->Row() - 1));
    session_.Modified = true;
    if (wasExpanded) texts_.SetExpanded(item, true);
}

void TItemCommands::TreeDragDrop(const QPoint& point) {
    if (const std::vector<TOutlineItem*> blocks = SeveralBlocks(); !blocks.empty())
        return DropBlocks(blocks, point);
    tree_->setEnabled(false);
    if (TOutlineItem* item = texts_.SelectedItem()) {
        QModelIndex targetIndex;
        const TDropZone::Zone zone = tree_->ZoneAt(point, &targetIndex);
        TOutlineItem* target = session_.TreeModel->ItemOf(targetIndex);
        switch (zone) {
            case TDropZone::Zone::OnItem:
                MoveSubtree(item, TMovePrimitive::Mode::LastChild, target);
                break;
            case TDropZone::Zone::BelowItems:
                MoveSubtree(item, TMovePrimitive::Mode::LastSibling, nullptr);
                break;
            case TDropZone::Zone::Indentation:
                MoveSubtree(item, TMovePrimitive::Mode::Before, target);
                break;
            case TDropZone::Zone::Nowhere: break;
        }
        session_.CurrentItemIndex = session_.Outline().AbsoluteIndexOf(item);
        texts_.SelectItem(item);
        session_.Modified = true;
    }
    tree_->setEnabled(true);
    tree_->setFocus();
}

void TItemCommands::DropBlocks(const std::vector<TOutlineItem*>& blocks, const QPoint& point) {
    QModelIndex targetIndex;
    const TDropZone::Zone zone = tree_->ZoneAt(point, &targetIndex);
    TOutlineItem* target = session_.TreeModel->ItemOf(targetIndex);
    std::optional<TMovePrimitive::Mode> mode;
    switch (zone) {
        case TDropZone::Zone::OnItem: mode = TMovePrimitive::Mode::LastChild; break;
        case TDropZone::Zone::BelowItems:
            mode = TMovePrimitive::Mode::LastSibling;
            target = nullptr;
            break;
        case TDropZone::Zone::Indentation: mode = TMovePrimitive::Mode::Before; break;
        case TDropZone::Zone::Nowhere: break;
    }
    if (mode)
        MoveBlocks(blocks, [&](TBlockMoves& moves, const std::vector<TOutlineItem*>& items) {
            return moves.To(items, *mode, target);
        });
    tree_->setFocus();
}

void TItemCommands::Undo() { Reverse(true); }

void TItemCommands::Redo() { Reverse(false); }

// The editor's text reaches its file first: the change may take its item away.
void TItemCommands::Reverse(bool undo) {
    TOutlineHistory& history = session_.History;
    if (undo ? !history.CanUndo() : !history.CanRedo()) return;
    errors_.Run([&] {
        const TOutlineItem* current = session_.ItemAtCurrentIndex();
        if (current) texts_.StoreEditorText(current);
        const int shownNumber = current ? current->ItemNumber : -1;
        // Many items may open or close (a whole outline's levels): the rows are laid out
        // once, after all of them.
        bool layoutDeferred = false;
        const auto setExpanded = [&](TOutlineItem* item, bool expanded) {
            if (!layoutDeferred) tree_->DeferLayout();
            layoutDeferred = true;
            texts_.SetExpanded(item, expanded);
        };
        const bool syncing = session_.SelectionSync;
        session_.SelectionSync = false;
        const int index = undo ? history.Undo(*session_.TreeModel, setExpanded)
                               : history.Redo(*session_.TreeModel, setExpanded);
        session_.SelectionSync = syncing;
        session_.Modified = true;
        ShowAfterReverse(session_.Outline().ItemAt(index), shownNumber);
    });
    tree_->setFocus();
}

// shownNumber: the number of the item whose text the editor holds, stored already.
void TItemCommands::ShowAfterReverse(TOutlineItem* item, int shownNumber) {
    if (!item) item = session_.Outline().First();
    if (!item) {  // the first item of a new outline was taken back
        texts_.ShowNoItemNotice();
        session_.CurrentItemIndex = -1;
        return;
    }
    if (item->ItemNumber != shownNumber) texts_.ShowItemText(item);
    session_.CurrentItemIndex = session_.Outline().AbsoluteIndexOf(item);
    texts_.SelectItem(item);  // the text is shown already: the selection change keeps it
}
