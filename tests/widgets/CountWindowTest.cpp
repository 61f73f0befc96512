#include <QPlainTextEdit>
#include <QTest>

#include "app/TOutlineCount.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "ui/TCountWindow.h"

namespace {

using TScope = TCountModel::TScope;

class CountWindow : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06"});
    }

    TOutlineCount& Count() { return Probe(*form).OutlineCount(); }
    QString Cell(TScope scope, TCountWindow::TColumn column = TCountWindow::Characters) {
        return Count().Window()->CellText(scope, column);
    }
    // Lets the counts arrive: the outline's from the runner's thread, the editor's after
    // the events of a change.
    void Settle() {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                QCoreApplication::processEvents();
                return !Count().Runner().Busy() && !Count().Model().Pending();
            },
            5000));
        QCoreApplication::processEvents();
    }
};

TEST_F(CountWindow, FollowsTypingSelectingAndMovingThroughTheOutline) {
    TMainForm& main = StartShown();
    TOutlineItem* first = Outline().First();
    TOutlineItem* child =
        main.TreeModel->InsertItem(first, 0, "child", Probe(main).Session().AllocateItemNumber());
    Probe(main).Session().Store.Store(child->ItemNumber, QStringLiteral("あ").repeated(30));

    main.Commands().Run(TCommand::ShowCount);
    ASSERT_TRUE(Count().Shown());
    EXPECT_EQ(Count().Window()->windowTitle(), QStringLiteral("文字数"));
    Settle();
    EXPECT_EQ(Cell(TScope::Item), "0");
    EXPECT_EQ(Cell(TScope::Subtree), "30");
    EXPECT_EQ(Cell(TScope::Subtree, TCountWindow::SheetsAndLines), QStringLiteral("0枚2行"));
    EXPECT_EQ(Cell(TScope::Subtree, TCountWindow::Lines), "1")
        << "the file's last line break ends its line";
    EXPECT_EQ(Cell(TScope::Selection), QStringLiteral("—"));

    main.Editor->setFocus();
    QTest::keyClicks(main.Editor, "ab cd");
    QCoreApplication::processEvents();
    EXPECT_EQ(Cell(TScope::Item), "5");
    EXPECT_EQ(Cell(TScope::Item, TCountWindow::NonBlank), "4");
    EXPECT_EQ(Cell(TScope::Subtree), "35");
    EXPECT_EQ(Cell(TScope::Document), "35");
    EXPECT_EQ(Cell(TScope::Subtree, TCountWindow::Pages), "2") << "each item begins a page";

    main.Editor->selectAll();
    QCoreApplication::processEvents();
    EXPECT_EQ(Cell(TScope::Selection), "5");

    // The text typed goes to its file with the selection change; the counts stay.
    Probe(main).Texts().SelectItem(child);
    Settle();
    EXPECT_EQ(Cell(TScope::Item), "30");
    EXPECT_EQ(Cell(TScope::Document), "35");
}

}  // namespace
