#include "app/TOutlineFind.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/TDocumentSession.h"
#include "app/TItemTextBinding.h"
#include "app/TOutlineView.h"
#include "document/TOutline.h"
#include "document/TOutlineItemModel.h"
#include "ui/TEditorCommands.h"
#include "ui/TFindDialog.h"
#include "ui/TSearchResultModel.h"

TOutlineFind::TOutlineFind(TDocumentSession& session, TItemTextBinding& texts,
                           TEditorCommands& editing, TOutlineView* tree, QPlainTextEdit* editor,
                           QObject* parent)
    : QObject(parent),
      session_(session),
      texts_(texts),
      editing_(editing),
      tree_(tree),
      editor_(editor) {
    TFindDialog& dialog = Dialog();
    connect(&dialog, &TFindDialog::SearchChanged, this, &TOutlineFind::Search);
    connect(&dialog, &TFindDialog::FindInOutline, this, &TOutlineFind::FindNext);
    connect(&dialog, &TFindDialog::ResultChosen, this, &TOutlineFind::Choose);
    connect(&dialog, &QDialog::finished, this, &TOutlineFind::HandOver);
    runner_.Finished = [this](const TOutlineSearch::TResult& result) { ShowResult(result); };
    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(kRefreshDelayMs);
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { StartSearch(false); });
}

TFindDialog& TOutlineFind::Dialog() const { return *editing_.FindDialog(); }

void TOutlineFind::Show() {
    TFindDialog& dialog = Dialog();
    shownMatch_ = Match::None;
    const bool wasInOutline = dialog.InOutline();
    dialog.SetInOutline(true);  // searches when it changes
    dialog.ShowAndActivate();
    if (wasInOutline) Search();  // the outline may have changed since
}

void TOutlineFind::Search() { StartSearch(true); }

void TOutlineFind::OutlineChanged() {
    const TFindDialog& dialog = Dialog();
    if (dialog.isVisible() && dialog.InOutline() && !dialog.FindText().isEmpty())
        refreshTimer_.start();
}

void TOutlineFind::StartSearch(bool newQuery) {
    TFindDialog& dialog = Dialog();
    refreshTimer_.stop();
    if (!dialog.InOutline() || dialog.FindText().isEmpty()) {
        runner_.Cancel();
        if (dialog.InOutline()) dialog.ShowResult({});
        return;
    }
    newQuery_ = newQuery_ || newQuery;
    if (newQuery) dialog.ShowSearching();
    const TOutlineItem* shown = session_.ItemAtCurrentIndex();
    // The editor's text only when its file does not hold it yet.
    const std::optional<QString> changed = shown ? texts_.TextNotInFile(shown) : std::nullopt;
    runner_.Start(TOutlineSearch::Snapshot(session_.Outline(), session_.Store,
                                           changed ? shown : nullptr, changed.value_or(QString())),
                  dialog.FindText(), dialog.Options());
}

void TOutlineFind::ShowResult(const TOutlineSearch::TResult& result) {
    TFindDialog& dialog = Dialog();
    // After a change of the outline, the row the user stands on stays current when its
    // item is still listed; a new search text or option starts at the first row.
    const TOutlineSearch::THit* current = dialog.Results().HitAt(dialog.CurrentRow());
    const int currentNumber = current && !newQuery_ ? current->itemNumber : -1;
    dialog.ShowResult(result);
    freshResult_ = freshResult_ || newQuery_;
    newQuery_ = false;
    for (int row = 0; currentNumber >= 0 && row < int(result.hits.size()); ++row)
        if (result.hits[row].itemNumber == currentNumber) dialog.SetCurrentRow(row);
}

TOutlineItem* TOutlineFind::ItemNumbered(int itemNumber) const {
    TOutlineItem* found = nullptr;
    session_.Outline().ForEach([&](TOutlineItem* item) {
        if (!found && item->ItemNumber == itemNumber) found = item;
    });
    return found;
}

void TOutlineFind::Choose(int row) {
    TFindDialog& dialog = Dialog();
    const TOutlineSearch::THit* hit = dialog.Results().HitAt(row);
    if (!hit) return;
    const TOutlineSearch::THit chosen = *hit;
    TOutlineItem* item = ItemNumbered(chosen.itemNumber);
    if (!item) {  // deleted since the search: search again
        Search();
        return;
    }
    dialog.SetCurrentRow(row);
    freshResult_ = false;
    texts_.SelectItem(item);
    // A text that could not be stored keeps the selection where it was.
    if (session_.ItemAtCurrentIndex() != item) return;
    shownMatch_ = Match::InLabel;  // unless the text holds it (it may have changed since)
    if (chosen.inText) {
        QTextCursor caret = editor_->textCursor();
        caret.setPosition(0);
        editor_->setTextCursor(caret);
        if (editing_.SelectNext(dialog.FindText(), dialog.Options())) shownMatch_ = Match::InText;
    }
    KeepTheKeyboard();
}

void TOutlineFind::KeepTheKeyboard() {
    // The user walks through the matches from the dialog: typing must not reach the
    // editor until the dialog is closed.
    TFindDialog& dialog = Dialog();
    if (shownMatch_ == Match::InText) editing_.KeepClearOfSelection(dialog);
    dialog.activateWindow();
}

void TOutlineFind::HandOver() {
    if (!Dialog().InOutline() || shownMatch_ == Match::None) return;
    QWidget* target = shownMatch_ == Match::InText ? static_cast<QWidget*>(editor_) : tree_;
    shownMatch_ = Match::None;
    target->activateWindow();
    target->setFocus(Qt::OtherFocusReason);
}

int TOutlineFind::RowOfShownItem() const {
    const TOutlineItem* shown = session_.ItemAtCurrentIndex();
    const TSearchResultModel& results = Dialog().Results();
    for (int row = 0; shown && row < results.rowCount(); ++row)
        if (results.HitAt(row)->itemNumber == shown->ItemNumber) return row;
    return -1;
}

void TOutlineFind::FindNext() {
    TFindDialog& dialog = Dialog();
    if (freshResult_) {
        Choose(std::max(dialog.CurrentRow(), 0));
        return;
    }
    const int shownRow = RowOfShownItem();
    if (shownRow >= 0 && shownRow == dialog.CurrentRow() &&
        editing_.SelectNext(dialog.FindText(), dialog.Options())) {
        shownMatch_ = Match::InText;
        KeepTheKeyboard();
        return;
    }
    // The current row's item when another item is shown, else the following row; the
    // last row's last match is where find-next stops.
    const int row =
        shownRow == dialog.CurrentRow() ? shownRow + 1 : std::max(dialog.CurrentRow(), 0);
    if (row < dialog.Results().rowCount()) Choose(row);
}
