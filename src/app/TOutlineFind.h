#pragma once

#include <QObject>
#include <QTimer>

#include "ui/TOutlineSearchRunner.h"

class QPlainTextEdit;
class TDocumentSession;
class TEditorCommands;
class TFindDialog;
class TItemTextBinding;
class TOutlineItem;
class TOutlineView;

// Finding a text across the whole outline with the find dialog: every change of the
// search text or the options searches all labels and texts again on the runner's
// thread, the list shows the items holding it, and choosing a row selects the item
// through the ordinary selection change (the editor's text is stored first) and
// selects the match in the editor.
class TOutlineFind : public QObject {
    Q_OBJECT

  public:
    TOutlineFind(TDocumentSession& session, TItemTextBinding& texts, TEditorCommands& editing,
                 TOutlineView* tree, QPlainTextEdit* editor, QObject* parent = nullptr);

    // Shows the find dialog searching the whole outline, and searches.
    void Show();
    // Searches again with the dialog's text and options; the list follows.
    void Search();
    // An item, a label or a text changed: a list shown is brought up to date shortly
    // after the changes stop.
    void OutlineChanged();
    // Goes to the item of the list's row and selects its first match; the keyboard stays
    // in the dialog, which moves off the match when it covers it.
    void Choose(int row);
    // Find-next of the dialog: the current row's first match after a new search, then
    // the next match in the item the editor shows, or else the item of the next row.
    void FindNext();

    TOutlineSearchRunner& Runner() { return runner_; }

  private:
    TFindDialog& Dialog() const;
    TOutlineItem* ItemNumbered(int itemNumber) const;
    // The row of the item whose text the editor holds; -1 when it is not listed.
    int RowOfShownItem() const;
    void ShowResult(const TOutlineSearch::TResult& result);
    // newQuery: the search text or an option changed (not only the outline).
    void StartSearch(bool newQuery);
    void KeepTheKeyboard();
    // The dialog closed: the editor takes the keyboard with the last match selected (the
    // outline, when only a label held it).
    void HandOver();

    static constexpr int kRefreshDelayMs = 500;

    TDocumentSession& session_;
    TItemTextBinding& texts_;
    TEditorCommands& editing_;
    TOutlineView* tree_;
    QPlainTextEdit* editor_;
    TOutlineSearchRunner runner_;
    // A new list is shown and find-next has not gone to one of its rows yet: it begins
    // at the current row's first match.
    bool freshResult_ = false;
    bool newQuery_ = false;  // the search running is for a changed text or option
    // Where the last match gone to was shown.
    enum class Match { None, InText, InLabel };
    Match shownMatch_ = Match::None;
    QTimer refreshTimer_;
};
