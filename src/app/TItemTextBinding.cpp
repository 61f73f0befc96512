#include "app/TItemTextBinding.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TOutlineView.h"
#include "document/TItemSelection.h"
#include "document/TOutlineItemModel.h"
#include "document/TTextLines.h"
#include "platform/AppError.h"
#include "ui/TEditorCommands.h"

TItemTextBinding::TItemTextBinding(TDocumentSession& session, TOutlineView* tree,
                                   QPlainTextEdit* editor, TErrorBox& errors)
    : session_(session),
      tree_(tree),
      editor_(editor),
      errors_(errors),
      shelf_(*editor),
      preview_(std::make_unique<TTextPreview>(*editor)) {}

TItemTextBinding::~TItemTextBinding() = default;

void TItemTextBinding::FinishShowing() const { preview_->Finish(); }

bool TItemTextBinding::WholeTextShown() const { return !preview_->Showing(); }

void TItemTextBinding::StoreEditorText(const TOutlineItem* item) {
    // Untouched since it was shown or stored: nothing to compare (a huge text costs
    // time to take out of the editor).
    if (item->ItemNumber == shownItemNumber_ && !editor_->document()->isModified() &&
        session_.Store.Exists(item->ItemNumber))
        return;
    QString text = EditorText();
    // A text the user has not changed keeps its file as it is: code page 932 writes some
    // characters it reads in two forms (duplicate codes) in one form only.
    if (item->ItemNumber == shownItemNumber_ && SameAsShown(text) &&
        session_.Store.Exists(item->ItemNumber)) {
        editor_->document()->setModified(false);  // typed back to what the file holds
        return;
    }
    session_.Store.Store(item->ItemNumber, text);
    RememberShown(item->ItemNumber, std::move(text));
    editor_->document()->setModified(false);
}

void TItemTextBinding::RememberShown(int itemNumber, QString text) {
    shownItemNumber_ = itemNumber;
    shownTextSize_ = text.size();
    shownTextKept_ = text.size() <= kKeptTextLimit;
    shownText_ = shownTextKept_ ? std::move(text) : QString();
}

bool TItemTextBinding::SameAsShown(const QString& text) const {
    if (shownTextKept_) return text == shownText_;
    if (text.size() != shownTextSize_) return false;
    try {
        return text == session_.Store.Load(shownItemNumber_);
    } catch (const AppError&) {
        return false;  // stored again, which reports a file that cannot be written
    }
}

void TItemTextBinding::ShowItemText(const TOutlineItem* item) {
    // A preview left is no text to keep: it is the beginning only.
    const int leaving = preview_->Showing() ? -1 : HugeTextLeftFor(item);
    if (shelf_.Holds(item->ItemNumber) && session_.Store.Exists(item->ItemNumber)) {
        const qsizetype size = shelf_.HeldSize();
        preview_->Cancel();
        WrapFor(false);
        shelf_.Unshelve(leaving, shownTextSize_);
        shownItemNumber_ = item->ItemNumber;
        shownTextSize_ = size;
        shownTextKept_ = false;
        shownText_.clear();
        shownLongLines_ = false;  // such texts are laid out again anyway: never kept
        return;
    }
    QString text = session_.Store.Load(item->ItemNumber);
    preview_->Cancel();
    if (leaving != -1) shelf_.Shelve(leaving, shownTextSize_);
    // A text no longer than a long line has none.
    const bool longLines = text.size() > TTextPreview::kLongLine &&
                           TTextLines::LongestLine(text) > TTextPreview::kLongLine;
    WrapFor(longLines);
    shownLongLines_ = longLines;
    if (text.isEmpty())
        editor_->clear();
    else if (text.size() > kKeptTextLimit)
        preview_->Show(text, longLines);
    else
        ReplaceEditorText(text);
    if (longLines) TTextPreview::KeepLongLinesLaidOut(*editor_->document());
    RememberShown(item->ItemNumber, std::move(text));
}

// Breaking a line of millions of characters at word boundaries takes minutes (the search
// for the next boundary runs on to the line's end for every line it makes): such a text
// wraps anywhere. Called before the editor is given the next text.
void TItemTextBinding::WrapFor(bool longLines) {
    const QTextOption::WrapMode mode =
        longLines ? QTextOption::WrapAnywhere : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (editor_->wordWrapMode() == mode) return;
    // A new wrap lays the editor's text out again: a long line leaves first.
    if (shownLongLines_) editor_->clear();
    editor_->setWordWrapMode(mode);
}

int TItemTextBinding::HugeTextLeftFor(const TOutlineItem* coming) const {
    const bool huge = !shownTextKept_ && !shownLongLines_ && shownItemNumber_ != -1 &&
                      shownItemNumber_ != coming->ItemNumber;
    return huge && !editor_->document()->isModified() ? shownItemNumber_ : -1;
}

void TItemTextBinding::ForgetShownTexts() {
    shelf_.Clear();
    RememberShown(-1, QString());
}

// A visible editor lays a new text out twice over, a hidden one once, as it shows again.
void TItemTextBinding::ReplaceEditorText(const QString& text) {
    const bool visible = editor_->isVisible();
    if (visible) editor_->hide();
    editor_->setPlainText(text);  // replaces the whole text at once, not modified
    if (visible) editor_->show();
}

QString TItemTextBinding::EditorText() const {
    FinishShowing();
    return TEditorCommands::TextOf(*editor_);
}

void TItemTextBinding::SetEditorText(const QString& text) {
    preview_->Cancel();
    editor_->setPlainText(text);
    editor_->document()->setModified(true);  // not the text of the item as it was shown
}

void TItemTextBinding::ShowStoredTextAgain() {
    const bool wasModified = session_.Modified;
    errors_.Run([this] {
        if (const TOutlineItem* selected = SelectedItem()) {
            StoreEditorText(selected);
            if (session_.Store.Exists(selected->ItemNumber))
                SetEditorText(session_.Store.Load(selected->ItemNumber));
        }
    });
    if (!wasModified) session_.Modified = false;
}

void TItemTextBinding::ShowNoItemNotice() {
    preview_->Cancel();
    ForgetShownTexts();
    editor_->clear();
    WrapFor(false);
    SetEditorText(
        QStringLiteral("項目が追加されていません。\n"
                       "項目を「brother」ボタンで追加してから、文章の編集を行ってください。"));
}

std::optional<QString> TItemTextBinding::TextNotInFile(const TOutlineItem* item) const {
    if (item->ItemNumber == shownItemNumber_ && !editor_->document()->isModified())
        return std::nullopt;
    return EditorText();
}

TOutlineItem* TItemTextBinding::SelectedItem() const {
    return session_.TreeModel->ItemOf(tree_->currentIndex());
}

std::vector<TOutlineItem*> TItemTextBinding::SelectedBlocks() const {
    // The ranges themselves: QItemSelectionModel::selectedRows() takes a time that grows
    // with the square of the rows selected.
    std::vector<TOutlineItem*> selected;
    const QItemSelection ranges = tree_->selectionModel()->selection();
    for (const QItemSelectionRange& range : ranges)
        for (int row = range.top(); row <= range.bottom(); ++row)
            selected.push_back(
                session_.TreeModel->ItemOf(range.model()->index(row, 0, range.parent())));
    if (TOutlineItem* current = SelectedItem(); current && selected.empty())
        selected.push_back(current);
    return TItemSelection::Blocks(session_.Outline(), std::move(selected));
}

void TItemTextBinding::RevealItem(TOutlineItem* item) {
    for (TOutlineItem* ancestor = item ? item->Parent() : nullptr;
         ancestor && ancestor != session_.Outline().Root(); ancestor = ancestor->Parent())
        if (!ancestor->Expanded()) SetExpanded(ancestor, true);
}

void TItemTextBinding::SelectItem(TOutlineItem* item) {
    RevealItem(item);  // a selected item is always visible
    tree_->selectionModel()->setCurrentIndex(session_.TreeModel->IndexOf(item),
                                             QItemSelectionModel::ClearAndSelect);
}

void TItemTextBinding::SelectItems(const std::vector<TOutlineItem*>& items, TOutlineItem* current) {
    SelectItem(current);
    if (items.size() < 2) return;
    QItemSelection selection;
    for (TOutlineItem* item : items) {
        RevealItem(item);
        const QModelIndex index = session_.TreeModel->IndexOf(item);
        selection.select(index, index);
    }
    tree_->selectionModel()->select(selection, QItemSelectionModel::Select);
}

void TItemTextBinding::ShowNewOutline(const QList<TOutlineItem*>& expanded, TOutlineItem* current) {
    for (TOutlineItem* item : expanded) SetExpanded(item, true);
    ForgetShownTexts();  // the texts of the outline that has gone
    ShowItemText(current);
    session_.SelectionSync = true;
    session_.CurrentItemIndex = session_.Outline().AbsoluteIndexOf(current);
    SelectItem(current);
}

void TItemTextBinding::TreeChange(TOutlineItem* selected) {
    if (!session_.SelectionSync) return;
    const bool wasModified = session_.Modified;
    try {
        // The item whose text the editor shows untouched (a new outline's first item):
        // storing and showing it again would only cost time, much for a huge text.
        const bool alreadyShown = selected && selected == session_.ItemAtCurrentIndex() &&
                                  selected->ItemNumber == shownItemNumber_ &&
                                  !editor_->document()->isModified();
        if (session_.Outline().Count() > 1 && !alreadyShown) {
            editor_->hide();
            if (const TOutlineItem* previous = session_.ItemAtCurrentIndex())
                StoreEditorText(previous);
            if (selected) ShowItemText(selected);
            editor_->show();
        }
        session_.CurrentItemIndex = session_.Outline().AbsoluteIndexOf(selected);
    } catch (const AppError& error) {
        // The editor still holds the text of the item at CurrentItemIndex, which may not
        // have reached its file: the selection stays with it.
        editor_->show();
        RestoreSelection(session_.ItemAtCurrentIndex());
        errors_.Show(error.Text());
    }
    tree_->setFocus();
    session_.Modified = wasModified;
    if (SelectionChanged) SelectionChanged();
}

void TItemTextBinding::RestoreSelection(TOutlineItem* item) {
    if (!item) return;
    const bool syncing = session_.SelectionSync;
    session_.SelectionSync = false;
    tree_->selectionModel()->setCurrentIndex(session_.TreeModel->IndexOf(item),
                                             QItemSelectionModel::ClearAndSelect);
    session_.SelectionSync = syncing;
}

void TItemTextBinding::EditorChange() { session_.Modified = true; }

bool TItemTextBinding::EditorInputMethod(QInputMethodEvent* event) {
    FinishShowing();  // before counting the characters
    if (composing_ || !event->commitString().isEmpty() || event->replacementLength() != 0)
        return false;
    const bool wasModified = session_.Modified;
    const int characters = editor_->document()->characterCount();
    composing_ = true;
    QCoreApplication::sendEvent(editor_, event);
    composing_ = false;
    if (editor_->document()->characterCount() == characters) session_.Modified = wasModified;
    return true;
}

void TItemTextBinding::TreeEdited(TOutlineItem* item, const QString& formerLabel) {
    session_.Modified = true;
    if (item->Label != formerLabel)
        session_.History.Add(TOutlineStep::Relabelled(session_.Outline(), item, formerLabel));
}

void TItemTextBinding::SetExpanded(TOutlineItem* item, bool expanded) {
    session_.Outline().SetExpanded(item, expanded);
    tree_->setExpanded(session_.TreeModel->IndexOf(item), expanded);
}
