#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <memory>

#include "support/Printers.h"
#include "ui/TEditorCommands.h"
#include "ui/TFindDialog.h"
#include "ui/TReplaceDialog.h"

namespace {

// A window with an editor and another control that can hold the focus (standing in for
// the outline), with the editing commands attached.
class EditorCommandsFixture : public testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<QWidget>();
        window->resize(400, 300);
        auto* layout = new QVBoxLayout(window.get());
        other = new QLineEdit(window.get());
        editor = new QPlainTextEdit(window.get());
        layout->addWidget(other);
        layout->addWidget(editor);
        commands = new TEditorCommands(window.get(), editor);
        changes = std::make_unique<QSignalSpy>(editor, &QPlainTextEdit::textChanged);
    }
    void TearDown() override { window.reset(); }

    void Show() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), 2000));
    }

    void SetText(const QString& text, int caret = 0) {
        editor->setPlainText(text);
        Select(caret, 0);
        changes->clear();
    }
    void Select(int start, int length) {
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    }
    QString Text() const { return editor->toPlainText(); }
    std::pair<int, int> Selection() const {
        const QTextCursor cursor = editor->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
    }
    int Caret() const { return editor->textCursor().position(); }

    // Waits for a button pressed with Enter, which Qt shows pressed for a moment.
    static bool WaitFor(const std::function<bool()>& condition) {
        return QTest::qWaitFor(condition, 2000);
    }

    std::unique_ptr<QWidget> window;
    QLineEdit* other = nullptr;
    QPlainTextEdit* editor = nullptr;
    TEditorCommands* commands = nullptr;
    std::unique_ptr<QSignalSpy> changes;
};

using Sel = std::pair<int, int>;

// ---- Find dialog ----------------------------------------------------------------------

class FindDialogTest : public EditorCommandsFixture {};

TEST_F(FindDialogTest, IsModelessWithJapaneseTextsAndNoDirectionChoice) {
    TFindDialog* dialog = commands->FindDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("検索"));
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), window.get());
    EXPECT_EQ(dialog->FindNextButton->text(), QStringLiteral("次を検索(&F)"));
    EXPECT_EQ(dialog->CancelButton->text(), QStringLiteral("キャンセル"));
    EXPECT_EQ(dialog->findChild<QLabel*>()->text(), QStringLiteral("検索する文字列(&N):"));
    EXPECT_EQ(dialog->findChildren<QPushButton*>().size(), 2);
    EXPECT_TRUE(dialog->FindNextButton->isDefault());
}

TEST_F(FindDialogTest, EnterWalksThroughTheOccurrencesAndStopsAtTheLast) {
    Show();
    SetText("abcabc", 6);
    commands->ShowFind();
    TFindDialog* dialog = commands->FindDialog();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == dialog; }));
    EXPECT_TRUE(dialog->FindEdit->hasFocus());
    QTest::keyClicks(dialog->FindEdit, "abc");

    QTest::keyClick(dialog->FindEdit, Qt::Key_Return);
    EXPECT_TRUE(WaitFor([&] { return Selection() == Sel(0, 3); }));
    EXPECT_EQ(window->focusWidget(), editor);  // the editor takes the focus
    EXPECT_TRUE(WaitFor([&] { return QApplication::activeWindow() == window.get(); }))
        << "typing now replaces the found text";
    dialog->activateWindow();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == dialog; }));
    QTest::keyClick(dialog, Qt::Key_Enter);
    EXPECT_TRUE(WaitFor([&] { return Selection() == Sel(3, 3); }));
    QTest::keyClick(dialog, Qt::Key_Return);
    QTest::qWait(300);
    EXPECT_EQ(Selection(), Sel(3, 3));
    EXPECT_EQ(Text(), QString("abcabc"));
    EXPECT_EQ(changes->count(), 0);
}

TEST_F(FindDialogTest, NotFoundChangesNeitherSelectionNorFocus) {
    Show();
    SetText("abc");
    Select(1, 1);
    other->setFocus();
    commands->FindDialog()->SetFindText("ABC");
    commands->FindDialogFind();
    EXPECT_EQ(Selection(), Sel(1, 1));
    EXPECT_EQ(window->focusWidget(), other);
}

TEST_F(FindDialogTest, FindsInsideWords) {
    SetText("concatenate");
    commands->FindDialog()->SetFindText("cat");
    commands->FindDialogFind();
    EXPECT_EQ(Selection(), Sel(3, 3));
}

TEST_F(FindDialogTest, EscapeHidesTheDialogWhichKeepsItsText) {
    Show();
    commands->ShowFind();
    TFindDialog* dialog = commands->FindDialog();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == dialog; }));
    QTest::keyClicks(dialog->FindEdit, "kept");
    QTest::keyClick(dialog->FindEdit, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    commands->ShowFind();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->FindText(), QString("kept"));
    EXPECT_EQ(dialog->FindEdit->selectedText(), QString("kept"));
    QTest::mouseClick(dialog->CancelButton, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(commands->FindDialog(), dialog);
}

TEST_F(FindDialogTest, TabGoesFromTheTextToTheButtons) {
    Show();
    commands->ShowFind();
    TFindDialog* dialog = commands->FindDialog();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == dialog; }));
    QTest::keyClicks(dialog->FindEdit, "x");
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), dialog->FindNextButton);
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), dialog->CancelButton);
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), static_cast<QWidget*>(dialog->InOutlineCheck));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), static_cast<QWidget*>(dialog->IgnoreCaseCheck));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), static_cast<QWidget*>(dialog->IgnoreWidthCheck));
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(dialog->focusWidget(), dialog->FindEdit) << "the hidden list takes no focus";
}

TEST_F(FindDialogTest, FindNextIsDisabledWithoutSearchText) {
    TFindDialog* dialog = commands->FindDialog();
    EXPECT_FALSE(dialog->FindNextButton->isEnabled());
    dialog->SetFindText("a");
    EXPECT_TRUE(dialog->FindNextButton->isEnabled());
}

TEST_F(FindDialogTest, WorksOnTheTextAsItIsAtEachPress) {
    SetText("one");
    commands->FindDialog()->SetFindText("two");
    commands->FindDialogFind();
    EXPECT_EQ(Selection(), Sel(0, 0));
    SetText("one two");  // another item shown while the dialog stays open
    commands->FindDialogFind();
    EXPECT_EQ(Selection(), Sel(4, 3));
}

// ---- Replace dialog -------------------------------------------------------------------

class ReplaceDialogTest : public EditorCommandsFixture {
  protected:
    TReplaceDialog* Dialog(const QString& what, const QString& with) {
        TReplaceDialog* dialog = commands->ReplaceDialog();
        dialog->SetFindText(what);
        dialog->SetReplaceText(with);
        return dialog;
    }
};

TEST_F(ReplaceDialogTest, IsModelessWithJapaneseTexts) {
    TReplaceDialog* dialog = commands->ReplaceDialog();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("置換"));
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->FindNextButton->text(), QStringLiteral("次を検索(&F)"));
    EXPECT_EQ(dialog->ReplaceButton->text(), QStringLiteral("置換(&R)"));
    EXPECT_EQ(dialog->ReplaceAllButton->text(), QStringLiteral("すべて置換(&A)"));
    EXPECT_EQ(dialog->CancelButton->text(), QStringLiteral("キャンセル"));
    QStringList labels;
    for (QLabel* label : dialog->findChildren<QLabel*>()) labels << label->text();
    EXPECT_EQ(labels, QStringList({QStringLiteral("検索する文字列(&N):"),
                                   QStringLiteral("置換後の文字列(&P):")}));
    EXPECT_TRUE(dialog->FindNextButton->isDefault());
}

TEST_F(ReplaceDialogTest, ReplacePressedThreeTimesInAXa) {
    Show();
    SetText("aXa", 3);
    TReplaceDialog* dialog = Dialog("a", "b");
    commands->ShowReplace();

    QTest::mouseClick(dialog->ReplaceButton, Qt::LeftButton);
    EXPECT_EQ(Text(), QString("aXa"));
    EXPECT_EQ(Selection(), Sel(0, 1));
    EXPECT_EQ(changes->count(), 0);

    QTest::mouseClick(dialog->ReplaceButton, Qt::LeftButton);
    EXPECT_EQ(Text(), QString("bXa"));
    EXPECT_EQ(Selection(), Sel(2, 1));
    EXPECT_GE(changes->count(), 1);

    QTest::mouseClick(dialog->ReplaceButton, Qt::LeftButton);
    EXPECT_EQ(Text(), QString("bXb"));
    EXPECT_EQ(Selection(), Sel(3, 0));
    EXPECT_EQ(Caret(), 3);

    editor->undo();
    EXPECT_EQ(Text(), QString("bXa"));
}

TEST_F(ReplaceDialogTest, ReplaceStartsAgainAtTheBeginningAfterAReplacement) {
    SetText("a1 a2 a3");
    Select(3, 1);
    Dialog("a", "b");
    commands->ReplaceDialogReplace(false);
    EXPECT_EQ(Text(), QString("a1 b2 a3"));
    EXPECT_EQ(Selection(), Sel(0, 1));
}

TEST_F(ReplaceDialogTest, ReplaceAllInAXaFromAnyCaret) {
    for (int caret = 0; caret <= 3; ++caret) {
        SetText("aXa", caret);
        Dialog("a", "b");
        QTest::mouseClick(commands->ReplaceDialog()->ReplaceAllButton, Qt::LeftButton);
        EXPECT_EQ(Text(), QString("bXb")) << caret;
        EXPECT_EQ(Selection(), Sel(3, 0)) << caret;
        EXPECT_GE(changes->count(), 1);
    }
}

TEST_F(ReplaceDialogTest, ReplaceAllIsOneUndoStep) {
    SetText("a\nXa\nYa\n", 4);  // setting the text leaves nothing to undo
    ASSERT_FALSE(editor->document()->isUndoAvailable());
    Dialog("a", "bc");
    commands->ReplaceDialogReplace(true);
    EXPECT_EQ(Text(), QString("bc\nXbc\nYbc\n"));
    EXPECT_EQ(Selection(), Sel(10, 0));
    EXPECT_EQ(editor->document()->blockCount(), 4);
    commands->Undo();
    EXPECT_EQ(Text(), QString("a\nXa\nYa\n"));
    EXPECT_FALSE(editor->document()->isUndoAvailable());
    editor->redo();
    EXPECT_EQ(Text(), QString("bc\nXbc\nYbc\n"));
}

TEST_F(ReplaceDialogTest, ReplaceAllWithAReplacementThatContainsTheSearchText) {
    SetText("a");
    Dialog("a", "aa");
    commands->ReplaceDialogReplace(true);
    EXPECT_EQ(Text(), QString("aa"));
    EXPECT_EQ(Selection(), Sel(2, 0));
}

TEST_F(ReplaceDialogTest, ReplaceAllKeepsAnUnsuitableSelectionAndOtherText) {
    SetText("Abc abc xabcx", 0);
    Select(0, 3);  // "Abc": no occurrence, with occurrences behind it
    Dialog("abc", "Z");
    commands->ReplaceDialogReplace(true);
    EXPECT_EQ(Text(), QString("Abc Z xZx"));

    SetText("Abc abc xabcx", 0);
    Select(8, 5);  // "xabcx": contains the search text but is no occurrence, none behind
    commands->ReplaceDialogReplace(true);
    EXPECT_EQ(Text(), QString("Abc abc xabcx"));
    EXPECT_EQ(Selection(), Sel(8, 5));
}

TEST_F(ReplaceDialogTest, ReplaceAllWithNothingFoundChangesNothing) {
    SetText("hello");
    Select(1, 2);
    Dialog("z", "y");
    commands->ReplaceDialogReplace(true);
    EXPECT_EQ(Text(), QString("hello"));
    EXPECT_EQ(Selection(), Sel(1, 2));
    EXPECT_EQ(changes->count(), 0);
}

TEST_F(ReplaceDialogTest, ReplaceAllKeepsNoBreakSpacesAndJapanese) {
    SetText(QString::fromUtf16(u"日本\u00a0語 日本 語"));
    Dialog(QString::fromUtf16(u"日本"), QString::fromUtf16(u"にほん"));
    commands->ReplaceDialogReplace(true);
    EXPECT_EQ(editor->document()->toRawText(), QString::fromUtf16(u"にほん\u00a0語 にほん 語"));
}

TEST_F(ReplaceDialogTest, EnterInEitherTextPressesFindNext) {
    Show();
    SetText("abc abc");
    TReplaceDialog* dialog = Dialog("abc", "x");
    commands->ShowReplace();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == dialog; }));
    QTest::keyClick(dialog->FindEdit, Qt::Key_Return);
    EXPECT_TRUE(WaitFor([&] { return Selection() == Sel(0, 3); }));
    dialog->ReplaceEdit->setFocus();
    QTest::keyClick(dialog->ReplaceEdit, Qt::Key_Return);
    EXPECT_TRUE(WaitFor([&] { return Selection() == Sel(4, 3); }));
    EXPECT_EQ(Text(), QString("abc abc"));
}

TEST_F(ReplaceDialogTest, TabOrderAndEscape) {
    Show();
    commands->ShowReplace();
    TReplaceDialog* dialog = commands->ReplaceDialog();
    ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == dialog; }));
    QTest::keyClicks(dialog->FindEdit, "x");
    const std::vector<QWidget*> order = {dialog->ReplaceEdit,   dialog->FindNextButton,
                                         dialog->ReplaceButton, dialog->ReplaceAllButton,
                                         dialog->CancelButton,  dialog->FindEdit};
    for (QWidget* next : order) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(dialog->focusWidget(), next) << next->objectName().toStdString();
    }
    QTest::keyClicks(dialog->ReplaceEdit, "y");
    QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    commands->ShowReplace();
    EXPECT_EQ(dialog->FindText(), QString("x"));
    EXPECT_EQ(dialog->ReplaceText(), QString("y"));
}

// Its speed is measured in bench/ReplaceAllBench.cpp.
TEST_F(ReplaceDialogTest, ReplaceAllOnALargeTextReplacesEveryOccurrenceInOneUndoStep) {
    // 100,000 occurrences in 10 million characters.
    const QString line = QString(93, u'x') + QStringLiteral("needle");
    QString text;
    text.reserve(100'000 * 100);
    for (int i = 0; i < 100'000; ++i) text += line + u'\n';
    SetText(text);
    Dialog("needle", "pin");

    commands->ReplaceDialogReplace(true);

    const QString result = editor->document()->toPlainText();
    EXPECT_EQ(result.size(), text.size() - 300'000);
    EXPECT_EQ(result.count(QStringLiteral("pin")), 100'000);
    EXPECT_FALSE(result.contains(QStringLiteral("needle")));
    EXPECT_EQ(Caret(), result.size() - 1);
    editor->undo();
    EXPECT_EQ(editor->document()->toPlainText().size(), text.size());
}

// ---- Clipboard, undo and wheel --------------------------------------------------------

class EditorCommandsTest : public EditorCommandsFixture {
  protected:
    void Wheel(int angle) {
        const QPointF at(editor->viewport()->width() / 2, editor->viewport()->height() / 2);
        QWheelEvent event(at, editor->viewport()->mapToGlobal(at), QPoint(), QPoint(0, angle),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(editor->viewport(), &event);
    }
};

TEST_F(EditorCommandsTest, CutCopyPasteAndUndoAreTheEditorsOwn) {
    SetText("hello world");
    Select(0, 5);
    commands->Copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QString("hello"));
    EXPECT_EQ(changes->count(), 0);

    Select(5, 6);
    commands->Cut();
    EXPECT_EQ(QApplication::clipboard()->text(), QString(" world"));
    EXPECT_EQ(Text(), QString("hello"));
    EXPECT_EQ(changes->count(), 1);

    Select(0, 0);
    commands->Paste();
    EXPECT_EQ(Text(), QString(" worldhello"));
    EXPECT_EQ(changes->count(), 2);

    commands->Undo();
    EXPECT_EQ(Text(), QString("hello"));
    EXPECT_EQ(changes->count(), 3);
}

TEST_F(EditorCommandsTest, CutAndCopyWithoutSelectionDoNothing) {
    QApplication::clipboard()->setText("before");
    SetText("abc", 1);
    commands->Cut();
    commands->Copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QString("before"));
    EXPECT_EQ(Text(), QString("abc"));
    EXPECT_EQ(changes->count(), 0);
}

TEST_F(EditorCommandsTest, PasteFromARichSourceInsertsPlainText) {
    auto* mime = new QMimeData;
    mime->setHtml("<p><b style=\"color:red\">bold</b> <i>text</i></p>");
    mime->setText("bold text");
    QApplication::clipboard()->setMimeData(mime);
    SetText("[]", 1);
    commands->Paste();
    EXPECT_EQ(Text(), QString("[bold text]"));
    EXPECT_EQ(changes->count(), 1);
    QTextCursor cursor(editor->document());
    cursor.setPosition(3);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Normal);
    EXPECT_FALSE(cursor.charFormat().hasProperty(QTextFormat::ForegroundBrush));
    cursor.setPosition(8);
    EXPECT_FALSE(cursor.charFormat().fontItalic());
    EXPECT_EQ(editor->document()->blockCount(), 1);
}

TEST_F(EditorCommandsTest, PasteWithoutTextDoesNothing) {
    auto* mime = new QMimeData;
    mime->setData("application/octet-stream", "xyz");
    QApplication::clipboard()->setMimeData(mime);
    SetText("abc", 1);
    commands->Paste();
    EXPECT_EQ(Text(), QString("abc"));
    EXPECT_EQ(changes->count(), 0);
}

TEST_F(EditorCommandsTest, WheelTakesTheFocusAndScrolls3LinesMore) {
    QStringList lines;
    for (int i = 0; i < 300; ++i) lines << QString("line %1").arg(i);
    // The editor's own scrolling for one notch, measured on an editor without commands.
    QPlainTextEdit plain(window.get());
    window->layout()->addWidget(&plain);
    Show();
    plain.setPlainText(lines.join('\n'));
    SetText(lines.join('\n'), 5);
    other->setFocus();
    ASSERT_EQ(editor->verticalScrollBar()->value(), 0);
    QScrollBar* plainBar = plain.verticalScrollBar();
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plain.viewport(), &down);
    const int own = plainBar->value();
    ASSERT_GT(own, 0);

    Wheel(-120);
    EXPECT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->verticalScrollBar()->value(), own + 3);
    Wheel(-120);
    EXPECT_EQ(editor->verticalScrollBar()->value(), 2 * (own + 3));
    Wheel(120);
    EXPECT_EQ(editor->verticalScrollBar()->value(), own + 3);
    EXPECT_EQ(Caret(), 5);
    EXPECT_EQ(Selection(), Sel(5, 0));
    EXPECT_EQ(changes->count(), 0);
}

TEST_F(EditorCommandsTest, WheelPartsOfANotchAddUpToOneStep) {
    QStringList lines;
    for (int i = 0; i < 300; ++i) lines << QString("line %1").arg(i);
    QPlainTextEdit plain(window.get());
    window->layout()->addWidget(&plain);
    Show();
    plain.setPlainText(lines.join('\n'));
    SetText(lines.join('\n'));
    for (int i = 0; i < 2; ++i) {
        QWheelEvent half(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -60), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plain.viewport(), &half);
    }
    const int own = plain.verticalScrollBar()->value();
    Wheel(-60);
    Wheel(-60);
    EXPECT_EQ(editor->verticalScrollBar()->value(), own + 3);
}

TEST_F(EditorCommandsTest, WheelStepsAreWholeNotches) {
    QStringList lines;
    for (int i = 0; i < 300; ++i) lines << QString("line %1").arg(i);
    Show();
    SetText(lines.join('\n'));
    editor->verticalScrollBar()->setValue(100);
    const int before = editor->verticalScrollBar()->value();
    commands->EditorMouseWheelDown();
    EXPECT_EQ(editor->verticalScrollBar()->value(), before + 3);
    commands->EditorMouseWheelUp();
    commands->EditorMouseWheelUp();
    EXPECT_EQ(editor->verticalScrollBar()->value(), before - 3);
    EXPECT_EQ(Caret(), 0);
}

}  // namespace
