#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>

#include "document/TOutlineItem.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "ui/TDropDownMenus.h"
#include "ui/TEditorCommands.h"
#include "ui/TFindDialog.h"
#include "ui/TReplaceDialog.h"
#include "ui/TSystemMenuForm.h"
#include "ui/TVerForm.h"

namespace {

using Answer = TMessageBoxes::Answer;

// The main window driven from the keyboard alone: every key goes to the window that
// has the keyboard and on through its shortcuts, as a real key does.
class KeyboardShortcuts : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "EditFile=nil"});
    }

    void TearDown() override {
        if (form && Menus().Current()) Menus().Current()->CloseMenu();
        MainFormFixture::TearDown();
    }

    static QWidget* Keyboard() { return QApplication::focusWidget(); }
    static QWindow* KeyboardWindow() { return QGuiApplication::focusWindow(); }

    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        ASSERT_NE(KeyboardWindow(), nullptr) << "no window has the keyboard";
        QTest::keyClick(KeyboardWindow(), key, modifiers);
    }

    // Alt pressed and released alone.
    static void TapAlt() {
        QTest::keyPress(KeyboardWindow(), Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(KeyboardWindow(), Qt::Key_Alt);
    }

    // The main window takes the keyboard back from a dialog or a menu.
    void Reactivate() {
        form->activateWindow();
        // A window counts as active while a dialog of its own has the keyboard: wait
        // for the keyboard itself.
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return KeyboardWindow() == form->windowHandle(); }, 2000));
    }

    void FocusOutline() {
        form->Tree->setFocus();
        ASSERT_TRUE(form->Tree->hasFocus());
    }

    void FocusEditor() {
        form->Editor->setFocus();
        ASSERT_TRUE(form->Editor->hasFocus());
    }

    // Labels the selected item.
    void Name(const QString& label) {
        form->TreeModel->SetLabel(Probe(*form).Texts().SelectedItem(), label);
    }

    TDropDownMenus& Menus() const { return Probe(*form).Menus(); }
    bool FileMenuShown() const {
        return Menus().MenuVisible() && Menus().Current()->MenuNumber() == 1;
    }
};

TEST_F(KeyboardShortcuts, WindowKeysRunTheCommandsOfTheMenusFromTheEditor) {
    TMainForm& main = StartShown();
    FocusEditor();
    Probe(main).Texts().SetEditorText("abc abc");

    dialogs.Choose(dir.File("keys.qlo"));
    Press(Qt::Key_S, Qt::ControlModifier);  // no file yet: saving asks for a name
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_TRUE(dir.Read("keys.qlo").contains("abc abc"));
    Press(Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(Keyboard(), "!");
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_TRUE(dir.Read("keys.qlo").contains("abc abc!"));
    Press(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialogs.asked, 2) << "save as asks for a name";
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(dialogs.asked, 3) << "open asks for a file";

    Probe(main).Items().AddItem();
    ASSERT_EQ(Outline().Count(), 2);
    Probe(main).Session().Modified = false;
    Press(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(Outline().Count(), 0) << "a new, empty document";

    Probe(main).Items().AddItem();
    FocusEditor();
    Probe(main).Texts().SetEditorText("abc abc");
    Press(Qt::Key_F, Qt::ControlModifier);
    TFindDialog* find = Probe(main).EditorCommands()->FindDialog();
    EXPECT_TRUE(find->isVisible());
    find->SetFindText("abc");
    find->hide();
    Reactivate();
    FocusEditor();
    Press(Qt::Key_F3);
    EXPECT_EQ(main.Editor->textCursor().selectionStart(), 0);
    Press(Qt::Key_F3);
    EXPECT_EQ(main.Editor->textCursor().selectionStart(), 4) << "the next one";
    Press(Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(find->isVisible()) << "finding in the whole outline starts from the find dialog";
    find->hide();

    Reactivate();
    FocusEditor();
    Press(Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(Probe(main).EditorCommands()->ReplaceDialog()->isVisible());
    Probe(main).EditorCommands()->ReplaceDialog()->hide();

    Reactivate();
    FocusEditor();
    Press(Qt::Key_F6);
    EXPECT_TRUE(main.Tree->hasFocus());
    Press(Qt::Key_F6);
    EXPECT_TRUE(main.Editor->hasFocus());
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.Texts().join(u'\n').toStdString();
}

TEST_F(KeyboardShortcuts, OutlineKeysAddDeleteAndMoveItemsButNotWhileALabelIsEdited) {
    StartShown();
    Name("A");
    FocusOutline();
    Press(Qt::Key_Insert);
    Name("B");
    Press(Qt::Key_Insert, Qt::ControlModifier);
    Name("B1");
    EXPECT_EQ(Order(), QStringLiteral("A B .B1"));
    Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Order(), QStringLiteral("A B B1"));
    Press(Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(Order(), QStringLiteral("A B1 B"));
    Press(Qt::Key_Right, Qt::AltModifier);
    EXPECT_EQ(Order(), QStringLiteral("A .B1 B"));
    Press(Qt::Key_Down, Qt::AltModifier);  // the only child: nowhere to go
    EXPECT_EQ(Order(), QStringLiteral("A .B1 B"));

    boxes.Answer(Answer::No);
    Press(Qt::Key_Delete);
    EXPECT_EQ(boxes.Texts(),
              QStringList{"選択している項目と、その子項目を削除します。よろしいですか？"});
    boxes.Answer(Answer::Yes);
    Press(Qt::Key_Delete);
    EXPECT_EQ(Order(), QStringLiteral("A B"));

    // F2 edits the label; its line edit keeps Delete, Insert and the arrows.
    Press(Qt::Key_F2);
    auto* label = qobject_cast<QLineEdit*>(Keyboard());
    ASSERT_NE(label, nullptr) << "F2 starts no label edit";
    Press(Qt::Key_Home);
    Press(Qt::Key_Delete);
    Press(Qt::Key_Insert);
    Press(Qt::Key_Insert, Qt::ControlModifier);
    Press(Qt::Key_Up, Qt::AltModifier);
    Press(Qt::Key_Right);
    QTest::keyClicks(label, "Z");
    EXPECT_EQ(label->text(), QStringLiteral("Z"));
    Press(Qt::Key_Return);
    EXPECT_EQ(Order(), QStringLiteral("Z B"));
    EXPECT_EQ(boxes.shown.size(), 2) << "no question while editing";
}

// Ctrl+Z takes back the outline's last change while the outline has the keyboard, Ctrl+Y
// and Ctrl+Shift+Z make it again; in the editor Ctrl+Z stays the editor's own.
TEST_F(KeyboardShortcuts, CtrlZUndoesOutlineChangesOnlyInTheOutline) {
    TMainForm& main = StartShown();
    Name("A");
    FocusOutline();
    Press(Qt::Key_Insert);
    Name("B");
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Order(), QStringLiteral("A"));
    EXPECT_TRUE(Probe(main).Session().Modified);
    Press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Order(), QStringLiteral("A B"));
    Press(Qt::Key_Z, Qt::ControlModifier);
    Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Order(), QStringLiteral("A B"));
    EXPECT_EQ(Probe(main).Texts().SelectedItem()->Label, QStringLiteral("B"));

    FocusEditor();
    QTest::keyClicks(Keyboard(), "xy");
    Press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Probe(main).Texts().EditorText(), QString());
    EXPECT_EQ(Order(), QStringLiteral("A B"));
}

TEST_F(KeyboardShortcuts, EditorKeepsItsEditingKeys) {
    TMainForm& main = StartShown();
    FocusEditor();
    Probe(main).Texts().SetEditorText("abc");
    Press(Qt::Key_A, Qt::ControlModifier);
    Press(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("abc")) << "Ctrl+Insert copies";
    Press(Qt::Key_End);
    Press(Qt::Key_Left);
    Press(Qt::Key_Delete);
    EXPECT_EQ(Probe(main).Texts().EditorText(), QStringLiteral("ab"));
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(Probe(main).Texts().EditorText(), QStringLiteral("ababc")) << "Shift+Insert pastes";
    Press(Qt::Key_Insert);
    Press(Qt::Key_Up, Qt::AltModifier);
    Press(Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(Outline().Count(), 1);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(main.Editor->hasFocus());
}

TEST_F(KeyboardShortcuts, F10OrALoneAltOpensTheFileMenu) {
    StartShown();
    FocusEditor();
    Press(Qt::Key_F10);
    EXPECT_TRUE(FileMenuShown());
    Menus().Current()->CloseMenu();

    Reactivate();
    FocusOutline();
    TapAlt();
    EXPECT_TRUE(FileMenuShown());
    Menus().Current()->CloseMenu();

    Reactivate();
    FocusOutline();
    QTest::keyPress(KeyboardWindow(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(KeyboardWindow(), Qt::Key_Down, Qt::AltModifier);
    QTest::keyRelease(KeyboardWindow(), Qt::Key_Alt);
    EXPECT_FALSE(Menus().MenuVisible()) << "Alt+Down is no lone Alt";

    // Not while an input method composes.
    Reactivate();
    FocusEditor();
    QInputMethodEvent composing(QStringLiteral("か"), {});
    QApplication::sendEvent(Keyboard(), &composing);
    TapAlt();
    EXPECT_FALSE(Menus().MenuVisible());
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("か"));
    QApplication::sendEvent(Keyboard(), &committed);
    TapAlt();
    EXPECT_TRUE(FileMenuShown());
}

// Alt with a letter opens the menu of that title, or does nothing: it never types.
TEST_F(KeyboardShortcuts, AltWithALetterOpensAMenuAndNeverTypes) {
    TMainForm& main = StartShown();
    FocusEditor();
    Press(Qt::Key_X, Qt::AltModifier);
    Press(Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(Menus().MenuVisible() && Menus().Current()->MenuNumber() == 2);
    Menus().Current()->CloseMenu();
    Reactivate();
    FocusOutline();
    main.Tree->edit(main.TreeModel->IndexOf(Outline().First()));  // a label being edited
    ASSERT_TRUE(QTest::qWaitFor([&] { return Keyboard() != main.Tree; }, 2000));
    Press(Qt::Key_Q, Qt::AltModifier);
    Press(Qt::Key_Return);
    EXPECT_EQ(Outline().First()->Label, QStringLiteral("新規"));
    EXPECT_EQ(Probe(main).Texts().EditorText(), QString());
}

TEST_F(KeyboardShortcuts, EscapeClosesTheMenuAndTheAboutBoxAndGivesTheKeyboardBack) {
    TMainForm& main = StartShown();
    FocusEditor();
    Press(Qt::Key_F10);
    ASSERT_TRUE(QTest::qWaitForWindowActive(Menus().Current(), 2000));
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Menus().MenuVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main, 2000));

    main.Commands().Run(TCommand::Version);
    ASSERT_TRUE(QTest::qWaitForWindowActive(VerForm.data(), 2000));
    Press(Qt::Key_Escape);
    EXPECT_FALSE(VerForm->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&main, 2000));
}

}  // namespace
