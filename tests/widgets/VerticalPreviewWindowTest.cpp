#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/TInterchangeCommands.h"
#include "app/TOutlineVertical.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "typeset/TVerticalGeometry.h"

namespace {

class VerticalPreviewWindow : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06"});
    }

    TOutlineVertical& Vertical() { return Probe(*form).OutlineVertical(); }
    const TVerticalPreview& Preview() { return Vertical().Preview(); }
    // The centre of cell of line on the window's page.
    QPoint CellCentre(int line, int cell) {
        const TVerticalGeometry geometry(Vertical().Window()->PageRect(), {});
        return geometry.Cell(line, cell).center().toPoint();
    }
};

TEST_F(VerticalPreviewWindow, FollowsTheEditorAndPutsTheCaretWhereItIsClicked) {
    TMainForm& main = StartShown();
    TOutlineItem* first = Outline().First();
    TOutlineItem* child =
        main.TreeModel->InsertItem(first, 0, "child", Probe(main).Session().AllocateItemNumber());
    Probe(main).Session().Store.Store(child->ItemNumber, QStringLiteral("あ"));

    main.Commands().Run(TCommand::ShowVertical);
    ASSERT_TRUE(Vertical().Shown());
    TVerticalPreviewWindow* window = Vertical().Window();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("縦書きプレビュー"));
    EXPECT_FALSE(window->isModal());
    EXPECT_FALSE(window->isActiveWindow()) << "the editor keeps the keyboard";

    // Typing lays the page out at once; the caret's cell is marked.
    main.Editor->setFocus();
    QTest::keyClicks(main.Editor, "ab");
    EXPECT_EQ(Preview().Pages().Count(), 1);
    EXPECT_EQ(Preview().Marked(), (TCellPlace{0, 2}));
    main.Editor->setPlainText(QString(u'x').repeated(20 * 20 * 2 + 5));
    main.Editor->moveCursor(QTextCursor::End);
    EXPECT_EQ(Preview().Pages().Count(), 3);
    EXPECT_EQ(Preview().Page(), 2) << "the page holding the caret";

    // Keys and the wheel turn pages; Home and End go to the first and last.
    QTest::keyClick(window, Qt::Key_PageUp);
    EXPECT_EQ(Preview().Page(), 1);
    QTest::keyClick(window, Qt::Key_Home);
    EXPECT_EQ(Preview().Page(), 0);
    QTest::keyClick(window, Qt::Key_Left);
    EXPECT_EQ(Preview().Page(), 1);
    QTest::keyClick(window, Qt::Key_End);
    EXPECT_EQ(Preview().Page(), 2);
    QWheelEvent wheel(QPointF(50, 50), QPointF(50, 50), {}, QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(window, &wheel);
    EXPECT_EQ(Preview().Page(), 1);

    // A click on a cell puts the editor's caret before its character.
    QTest::mouseClick(window, Qt::LeftButton, {}, CellCentre(1, 3));
    EXPECT_EQ(main.Editor->textCursor().position(), 400 + 23);

    // With the descendants, the child's page follows.
    window->findChild<QCheckBox*>(QStringLiteral("Subtree"))->setChecked(true);
    EXPECT_EQ(Preview().Pages().Count(), 4);
    EXPECT_EQ(Preview().Pages().Item(1).label, QStringLiteral("child"));
}

TEST_F(VerticalPreviewWindow, WritesTheShownPagesAsAPdfInTheBackground) {
    TMainForm& main = StartShown();
    main.Editor->setPlainText(QStringLiteral("「あ」\n").repeated(50));
    main.Commands().Run(TCommand::ShowVertical);
    ASSERT_EQ(Preview().Pages().Count(), 3);
    const QString path = dir.File(QStringLiteral("vertical.pdf"));
    dialogs.Choose(path);
    QTest::mouseClick(Vertical().Window()->findChild<QPushButton*>(QStringLiteral("Pdf")),
                      Qt::LeftButton);
    Probe(main).Interchange().WaitForPages(false);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // Every page of the PDF is one "/Type /Page" object.
    EXPECT_EQ(file.readAll().count("/Type /Page\n"), 3);
}

}  // namespace
