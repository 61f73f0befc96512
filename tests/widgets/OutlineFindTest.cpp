#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextCursor>

#include "app/TOutlineFind.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "ui/TEditorCommands.h"
#include "ui/TFindDialog.h"
#include "ui/TSearchResultModel.h"

namespace {

class OutlineFind : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06"});
    }

    TFindDialog& Dialog() { return *Probe(*form).EditorCommands()->FindDialog(); }

    // Types into the search field and waits for the list.
    void Search(const QString& what) {
        Dialog().FindEdit->setText(what);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return !Probe(*form).OutlineFind().Runner().Busy(); }, 5000));
    }

    QString EditorSelection() const { return form->Editor->textCursor().selectedText(); }
    int EditorSelectionStart() const { return form->Editor->textCursor().selectionStart(); }
};

TEST_F(OutlineFind, ChoosingARowStoresTheTextFirstAndSelectsTheMatchInItsItem) {
    TMainForm& main = StartShown();
    TOutlineItem* first = Outline().First();
    TOutlineItem* second = AddTopLevelItem("second");
    TOutlineItem* child =
        main.TreeModel->InsertItem(second, 0, "child", Probe(main).Session().AllocateItemNumber());
    Probe(main).Session().Store.Store(child->ItemNumber, u"x target\ny TARGET target");
    Probe(main).Texts().SetEditorText("alpha target");  // the first item's text, not yet stored

    main.Commands().Run(TCommand::FindInOutline);
    EXPECT_TRUE(Dialog().InOutline());
    Search("target");
    ASSERT_EQ(Dialog().Results().rowCount(), 2);
    EXPECT_EQ(Dialog().SummaryLabel->text(), QStringLiteral("2 項目、3 件"));
    EXPECT_EQ(Dialog().Results().HitAt(1)->path, QStringLiteral("second › child"));

    // Enter on the second row: the first item's text reaches its file, the child is
    // selected with its first match.
    Dialog().SetCurrentRow(1);
    QTest::keyClick(Dialog().ResultView, Qt::Key_Return);
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), child);
    EXPECT_EQ(dir.Read(QStringLiteral("Data/%1.tmp").arg(first->ItemNumber)), "alpha target\r\n");
    EXPECT_EQ(EditorSelectionStart(), 2);
    EXPECT_EQ(EditorSelection(), "target");
    EXPECT_FALSE(Dialog().isHidden()) << "the list stays for the next item";

    // F3's find next: the next match in the same item; find-next of the dialog stops at
    // the last match of the last row.
    main.Commands().Run(TCommand::FindNext);
    EXPECT_EQ(EditorSelectionStart(), 18);
    QTest::mouseClick(Dialog().FindNextButton, Qt::LeftButton);
    EXPECT_EQ(EditorSelectionStart(), 18);
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), child);

    // Ignoring case finds the upper-case one too; the list updates with the option.
    Dialog().IgnoreCaseCheck->setChecked(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Probe(main).OutlineFind().Runner().Busy(); }, 5000));
    EXPECT_EQ(Dialog().SummaryLabel->text(), QStringLiteral("2 項目、4 件"));
    EXPECT_EQ(Dialog().CurrentRow(), 0) << "a new option starts at the first row";
    // A change of the outline keeps the row stood on.
    Dialog().SetCurrentRow(1);
    main.TreeModel->SetLabel(first, "renamed");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Probe(main).OutlineFind().Runner().Busy(); }, 2000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Probe(main).OutlineFind().Runner().Busy(); }, 5000));
    EXPECT_EQ(Dialog().CurrentRow(), 1);

    // A double click on a row whose item was deleted since searches again.
    Probe(main).Texts().SelectItem(first);
    main.TreeModel->RemoveItem(second);
    emit Dialog().ResultChosen(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Probe(main).OutlineFind().Runner().Busy(); }, 5000));
    EXPECT_EQ(Dialog().Results().rowCount(), 1);
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), first);
}

TEST_F(OutlineFind, FindNextWalksFromItemToItemAndALabelMatchSelectsTheItemOnly) {
    TMainForm& main = StartShown();
    TOutlineItem* first = Outline().First();
    TOutlineItem* second = AddTopLevelItem("ＡＢＣ label");
    TOutlineItem* third = AddTopLevelItem("third");
    Probe(main).Session().Store.Store(third->ItemNumber, u"ｱﾌﾞｸ abc");
    Probe(main).Texts().SelectItem(first);

    main.Commands().Run(TCommand::FindInOutline);
    Dialog().IgnoreWidthCheck->setChecked(true);
    Dialog().IgnoreCaseCheck->setChecked(true);
    Search("abc");
    ASSERT_EQ(Dialog().Results().rowCount(), 2);

    QTest::keyClick(Dialog().FindEdit, Qt::Key_Return);  // find-next: the first row
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), second);
    EXPECT_TRUE(Dialog().isActiveWindow())
        << "only its label holds the text: the dialog keeps the keyboard";
    QTest::mouseClick(Dialog().FindNextButton, Qt::LeftButton);
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), third);
    EXPECT_EQ(EditorSelection(), "abc");

    Search("アブク");
    QTest::mouseClick(Dialog().FindNextButton, Qt::LeftButton);
    EXPECT_EQ(EditorSelection(), QStringLiteral("ｱﾌﾞｸ"));

    // The list follows changes of the outline while it is shown.
    AddTopLevelItem("ｱﾌﾞｸ again");
    EXPECT_TRUE(QTest::qWaitFor([&] { return Dialog().Results().rowCount() == 2; }, 3000));

    // Without the whole outline the dialog searches the editor's text alone.
    Dialog().SetInOutline(false);
    EXPECT_FALSE(Dialog().ResultView->isVisibleTo(&Dialog()));
}

// Walking through the matches never types into the editor: the keyboard stays in the
// dialog until it closes, and then the editor takes it with the last match selected.
TEST_F(OutlineFind, TheDialogKeepsTheKeyboardUntilItClosesAndTheEditorThenHasTheMatch) {
    TMainForm& main = StartShown();
    TOutlineItem* second = AddTopLevelItem("second");
    Probe(main).Session().Store.Store(second->ItemNumber, u"the needle here, a needle there");
    main.Commands().Run(TCommand::FindInOutline);
    Search("needle");
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Dialog(), 2000));
    for (int round = 0; round < 2; ++round) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        EXPECT_TRUE(Dialog().isActiveWindow());
    }
    EXPECT_EQ(Probe(main).Texts().EditorText(), QStringLiteral("the needle here, a needle there"));
    EXPECT_FALSE(Dialog().frameGeometry().intersects(QRect(
        main.Editor->viewport()->mapToGlobal(main.Editor->cursorRect().topLeft()), QSize(1, 1))))
        << "the dialog covers the match";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(Dialog().isHidden());
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.Editor->hasFocus(); }, 2000));
    EXPECT_EQ(EditorSelection(), "needle");
}

}  // namespace
