#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "ui/TSearchOptions.h"

class QPlainTextEdit;
class QWidget;
class TFindDialog;
class TReplaceDialog;
struct TTextSelection;

// The editing commands of the editor: clipboard and undo, the modeless find and replace
// dialogs, and the extra wheel scrolling over the editor.
//
// Every change of the text goes through the editor's document as an ordinary edit, so
// the editor raises textChanged and the change can be undone. Searches follow
// TTextSearch and always work on the editor's text and selection as they are at the
// moment of the command.
class TEditorCommands : public QObject {
    Q_OBJECT

  public:
    // owner: the window the dialogs belong to (they live as long as this object);
    // editor: the editor the commands work on. Installs the wheel handling on the
    // editor's viewport.
    TEditorCommands(QWidget* owner, QPlainTextEdit* editor);
    ~TEditorCommands() override;

    // Called before a command works on the editor's text, which may not be all in the
    // editor yet (see TTextPreview).
    std::function<void()> WholeTextNeeded;

    TFindDialog* FindDialog() const;
    TReplaceDialog* ReplaceDialog() const;

    // The editor's own operations. Cut and copy do nothing without a selection; paste
    // inserts the clipboard's plain text only (a rich clipboard gives its text without
    // formatting) in place of the selection.
    void Cut();
    void Copy();
    void Paste();
    void Undo();

    // Shows the dialog in front of the owner with its kept texts.
    void ShowFind();
    void ShowReplace();

    // Find next with the find dialog's search text and options, or the replace dialog's
    // search text.
    void FindDialogFind();
    void ReplaceDialogFind();
    // Replace with the replace dialog's texts, then replace all when replaceAll is set.
    void ReplaceDialogReplace(bool replaceAll);

    // Find next: selects the next occurrence of what behind the selection (from the
    // beginning without a selection) and gives the editor the focus. Returns false and
    // changes nothing when there is none. Without options the characters must match
    // exactly.
    bool FindNext(const QString& what, TSearchOptions options = {});
    // Selects the next match in the editor, as FindNext does, but leaves the keyboard
    // where it is (in a dialog the user is walking through matches with).
    bool SelectNext(const QString& what, TSearchOptions options = {});
    // Moves a dialog off the editor's selection when it covers it.
    void KeepClearOfSelection(QWidget& dialog) const;
    // Replace: replaces the selection when it equals what, then finds next.
    void Replace(const QString& what, const QString& with);
    // Replace all as one edit (one undo step): every occurrence present now is replaced
    // once; afterwards nothing is selected and the caret stands behind the replacement
    // made last. Returns the number of replacements; 0 changes nothing.
    qsizetype ReplaceAll(const QString& what, const QString& with);

    // One wheel step over the editor, down (towards the end) or up: the editor takes the
    // focus and scrolls by 3 lines without moving the caret.
    void EditorMouseWheelDown();
    void EditorMouseWheelUp();

    // Lines scrolled per wheel step in addition to the editor's own scrolling.
    static constexpr int kWheelLines = 3;

    // The text an editor holds, "\n" between lines. Every character keeps the position
    // the document's cursors use: paragraph separators (Enter) and line separators
    // (Shift+Enter) both become "\n".
    static QString TextOf(const QPlainTextEdit& editor);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void NeedWholeText() const;
    QString EditorText() const;
    TTextSelection EditorSelection() const;
    void Select(qsizetype start, qsizetype length);
    void ScrollLines(int lines);

    QPointer<QPlainTextEdit> editor_;
    QPointer<TFindDialog> findDialog_;
    QPointer<TReplaceDialog> replaceDialog_;
    int wheelRemainder_ = 0;  // angle delta of a wheel not yet making a whole step
};
