#include "ui/TEditorCommands.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QWheelEvent>

#include "ui/TFindDialog.h"
#include "ui/TReplaceDialog.h"
#include "ui/TTextMatcher.h"
#include "ui/TTextSearch.h"

namespace {

// Angle delta of one wheel notch, in eighths of a degree.
constexpr int kWheelStep = 120;

}  // namespace

TEditorCommands::TEditorCommands(QWidget* owner, QPlainTextEdit* editor)
    : QObject(owner), editor_(editor) {
    setObjectName(QStringLiteral("EditorCommands"));
    findDialog_ = new TFindDialog(owner);
    replaceDialog_ = new TReplaceDialog(owner);
    connect(findDialog_, &TFindDialog::Find, this, &TEditorCommands::FindDialogFind);
    connect(replaceDialog_, &TReplaceDialog::Find, this, &TEditorCommands::ReplaceDialogFind);
    connect(replaceDialog_, &TReplaceDialog::Replace, this,
            [this] { ReplaceDialogReplace(false); });
    connect(replaceDialog_, &TReplaceDialog::ReplaceAll, this,
            [this] { ReplaceDialogReplace(true); });
    if (editor_) editor_->viewport()->installEventFilter(this);
}

TEditorCommands::~TEditorCommands() {
    delete findDialog_;
    delete replaceDialog_;
}

TFindDialog* TEditorCommands::FindDialog() const { return findDialog_; }

TReplaceDialog* TEditorCommands::ReplaceDialog() const { return replaceDialog_; }

void TEditorCommands::Cut() {
    if (!editor_) return;
    NeedWholeText();
    editor_->cut();
}

void TEditorCommands::Copy() {
    if (editor_) editor_->copy();
}

void TEditorCommands::Paste() {
    // QPlainTextEdit inserts the clipboard's text/plain part only, never its formatting.
    if (!editor_) return;
    NeedWholeText();
    editor_->paste();
}

void TEditorCommands::Undo() {
    if (!editor_) return;
    NeedWholeText();
    editor_->undo();
}

void TEditorCommands::NeedWholeText() const {
    if (WholeTextNeeded) WholeTextNeeded();
}

void TEditorCommands::ShowFind() { findDialog_->ShowAndActivate(); }

void TEditorCommands::ShowReplace() { replaceDialog_->ShowAndActivate(); }

void TEditorCommands::FindDialogFind() {
    FindNext(findDialog_->FindText(), findDialog_->Options());
}

void TEditorCommands::ReplaceDialogFind() { FindNext(replaceDialog_->FindText()); }

void TEditorCommands::ReplaceDialogReplace(bool replaceAll) {
    const QString what = replaceDialog_->FindText();
    const QString with = replaceDialog_->ReplaceText();
    if (replaceAll)
        ReplaceAll(what, with);
    else
        Replace(what, with);
}

bool TEditorCommands::SelectNext(const QString& what, TSearchOptions options) {
    if (!editor_) return false;
    const auto found =
        TTextMatcher(what, options).FindFrom(EditorText(), TTextSearch::StartOf(EditorSelection()));
    if (!found) return false;
    Select(found->start, found->length);
    return true;
}

bool TEditorCommands::FindNext(const QString& what, TSearchOptions options) {
    if (!SelectNext(what, options)) return false;
    // The main window comes in front of the dialog, so that typing replaces the find.
    editor_->activateWindow();
    editor_->setFocus(Qt::OtherFocusReason);
    for (QWidget* dialog :
         {static_cast<QWidget*>(findDialog_.data()), static_cast<QWidget*>(replaceDialog_.data())})
        if (dialog && dialog->isVisible()) KeepClearOfSelection(*dialog);
    return true;
}

void TEditorCommands::KeepClearOfSelection(QWidget& dialog) const {
    const QRect match(editor_->viewport()->mapToGlobal(editor_->cursorRect().topLeft()),
                      editor_->cursorRect().size());
    const QRect place = dialog.frameGeometry();
    if (!place.intersects(match.adjusted(-8, -8, 8, 8))) return;
    const QScreen* screen = dialog.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    // Below the match when there is room, else above it.
    QPoint to(place.left(), match.bottom() + 16);
    if (!room.isNull() && to.y() + place.height() > room.bottom())
        to.setY(match.top() - 16 - place.height());
    dialog.move(to);
}

void TEditorCommands::Replace(const QString& what, const QString& with) {
    if (!editor_) return;
    const QString text = EditorText();
    const TTextSelection selection = EditorSelection();
    if (TTextSearch::IsOccurrence(text, selection, what)) {
        QTextCursor cursor = editor_->textCursor();
        cursor.beginEditBlock();
        cursor.removeSelectedText();
        if (!with.isEmpty()) cursor.insertText(with);
        cursor.endEditBlock();
        editor_->setTextCursor(cursor);  // no selection, the caret behind the new text
    }
    FindNext(what);
}

qsizetype TEditorCommands::ReplaceAll(const QString& what, const QString& with) {
    if (!editor_) return 0;
    const auto result = TTextSearch::ReplaceAll(EditorText(), EditorSelection(), what, with);
    if (result.count == 0) return 0;

    QTextCursor cursor(editor_->document());
    cursor.setPosition(int(result.edit.start));
    cursor.setPosition(int(result.edit.start + result.edit.length), QTextCursor::KeepAnchor);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    if (!result.edit.text.isEmpty()) cursor.insertText(result.edit.text);
    cursor.endEditBlock();

    editor_->setFocus(Qt::OtherFocusReason);
    Select(result.caret, 0);
    return result.count;
}

void TEditorCommands::EditorMouseWheelDown() {
    if (!editor_) return;
    editor_->setFocus(Qt::MouseFocusReason);
    ScrollLines(kWheelLines);
}

void TEditorCommands::EditorMouseWheelUp() {
    if (!editor_) return;
    editor_->setFocus(Qt::MouseFocusReason);
    ScrollLines(-kWheelLines);
}

bool TEditorCommands::eventFilter(QObject* watched, QEvent* event) {
    // The type first: while the editor is being destroyed, it is no editor any more.
    if (event->type() == QEvent::Wheel && editor_ && watched == editor_->viewport()) {
        // High-resolution wheels send parts of a notch: count whole steps only.
        wheelRemainder_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
        for (; wheelRemainder_ <= -kWheelStep; wheelRemainder_ += kWheelStep)
            EditorMouseWheelDown();
        for (; wheelRemainder_ >= kWheelStep; wheelRemainder_ -= kWheelStep) EditorMouseWheelUp();
        // Not consumed: the editor's own scrolling for the step comes on top.
    }
    return QObject::eventFilter(watched, event);
}

QString TEditorCommands::TextOf(const QPlainTextEdit& editor) {
    // The raw text keeps every character (no-break spaces included) at the position the
    // document's cursors use; only the separators become line breaks.
    QString text = editor.document()->toRawText();
    for (QChar& c : text)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator) c = u'\n';
    return text;
}

QString TEditorCommands::EditorText() const {
    NeedWholeText();
    return TextOf(*editor_);
}

TTextSelection TEditorCommands::EditorSelection() const {
    const QTextCursor cursor = editor_->textCursor();
    return TTextSelection{cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

void TEditorCommands::Select(qsizetype start, qsizetype length) {
    QTextCursor cursor = editor_->textCursor();
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    editor_->setTextCursor(cursor);
}

void TEditorCommands::ScrollLines(int lines) {
    // The vertical scroll bar of a plain-text editor counts lines.
    QScrollBar* bar = editor_->verticalScrollBar();
    bar->setValue(bar->value() + lines);
}
