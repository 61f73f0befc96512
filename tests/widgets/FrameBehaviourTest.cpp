#include <QClipboard>
#include <QImage>

#include "skin/TSkinLayout.h"
#include "support/SkinnedWindowFixture.h"
#include "support/TMainFormProbe.h"

namespace {

using Answer = TMessageBoxes::Answer;

const QString kViewHint = QStringLiteral("現バージョンでは、メニューがありません。");
const QString kCutHint = QStringLiteral("選択されている文章を、クリップボード内に切り取ります。");

class FrameBehaviour : public SkinnedWindowFixture {};

TEST_F(FrameBehaviour, HoverLightsTheButtonAndWritesItsHint) {
    TMainForm& main = Shown();
    Move(380, 80);
    EXPECT_EQ(Probe(main).Skin().HotElement, SkinCode::Cut);
    EXPECT_EQ(Probe(main).Skin().HintText, kCutHint);
    EXPECT_EQ(PixelOfWindow(QPoint(395, 95)), PixelOfSkin("Item_Cut_Active.bmp", QPoint(25, 25)));
    Move(700, 300);  // editor area is a control; the window surface below stays
    Move(600, 90);   // background
    EXPECT_EQ(Probe(main).Skin().HotElement, SkinCode::None);
    EXPECT_EQ(Probe(main).Skin().HintText, "");
    EXPECT_EQ(PixelOfWindow(QPoint(395, 95)), PixelOfSkin("Item_Cut_Normal.bmp", QPoint(25, 25)));
}

TEST_F(FrameBehaviour, TheViewHintSurvivesTheCaptionAndClearsOnTheBackground) {
    TMainForm& main = Shown();
    Move(160, 45);
    EXPECT_EQ(Probe(main).Skin().HotElement, SkinCode::MenuView);
    EXPECT_EQ(Probe(main).Skin().HintText, kViewHint);
    Move(160, 20);
    EXPECT_EQ(Probe(main).Skin().HotElement, SkinCode::Caption);
    EXPECT_EQ(Probe(main).Skin().HintText, kViewHint);
    Move(600, 90);
    EXPECT_EQ(Probe(main).Skin().HintText, "");
}

TEST_F(FrameBehaviour, ReleaseRunsTheElementUnderThePointerNotThePressedOne) {
    TMainForm& main = Shown();
    Probe(main).Texts().SetEditorText("abcdef");
    QTextCursor cursor = main.Editor->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    main.Editor->setTextCursor(cursor);

    Move(395, 95);  // press on Item_Cut, release on the background: nothing
    Probe(main).Frame().FormMouseDown(Qt::LeftButton, 395, 95);
    Move(600, 90);
    Probe(main).Frame().FormMouseUp(Qt::LeftButton);
    EXPECT_EQ(Probe(main).Texts().EditorText(), "abcdef");

    Move(600, 90);  // press on the background, release over Item_Cut: cut
    Probe(main).Frame().FormMouseDown(Qt::LeftButton, 600, 90);
    Move(395, 95);
    Probe(main).Frame().FormMouseUp(Qt::LeftButton);
    EXPECT_EQ(Probe(main).Texts().EditorText(), "def");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "abc");
}

TEST_F(FrameBehaviour, ARightClickOnAToolButtonRunsIt) {
    TMainForm& main = Shown();
    Click(60, 150, Qt::RightButton);  // brother
    EXPECT_EQ(Outline().Count(), 2);
    EXPECT_TRUE(Probe(main).Session().Modified);
}

TEST_F(FrameBehaviour, DeleteShowsThePressedLookThenDeletesThenTheNormalLook) {
    TMainForm& main = Shown();
    Probe(main).Items().AddItem();
    Move(60, 230);
    Probe(main).Frame().FormMouseDown(Qt::LeftButton, 60, 230);
    EXPECT_EQ(PixelOfWindow(QPoint(65, 235)),
              PixelOfSkin("Button_delete_Click.bmp", QPoint(45, 15)));
    boxes.Answer(Answer::Yes);
    Probe(main).Frame().FormMouseUp(Qt::LeftButton);
    EXPECT_EQ(Outline().Count(), 1);
    EXPECT_EQ(PixelOfWindow(QPoint(65, 235)),
              PixelOfSkin("Button_delete_Normal.bmp", QPoint(45, 15)));
}

TEST_F(FrameBehaviour, DoubleClickOnTheCaptionTogglesMaximised) {
    TMainForm& main = Shown();
    const QRect normal = main.geometry();
    Move(500, 20);
    Probe(main).Frame().FormDblClick();
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(main.geometry(), main.screen()->availableGeometry());
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"Maximized"), "1");
    Move(500, 20);
    Probe(main).Frame().FormDblClick();
    EXPECT_FALSE(main.isMaximized());
    EXPECT_EQ(main.geometry(), normal);
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"Maximized"), "0");
}

TEST_F(FrameBehaviour, TheMaximiseButtonTogglesAndTheNextStartMaximisesAgain) {
    TMainForm& main = Shown();
    Click(main.width() - 60, 20);
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"Maximized"), "1");
    main.close();
    form.reset();

    TMainForm& again = Shown();
    EXPECT_EQ(again.geometry(), again.screen()->availableGeometry())
        << "the first full drawing maximises";
    EXPECT_FALSE(Probe(again).Session().Modified);
    Click(again.width() - 60, 20);
    EXPECT_FALSE(again.isMaximized());
    EXPECT_EQ(again.geometry(), QRect(0, 0, 800, 600));
}

TEST_F(FrameBehaviour, ActivationKeepsAMaximisedWindowOnTheWorkArea) {
    TMainForm& main = Shown();
    Probe(main).WindowStates().WindowMaximize();
    main.setGeometry(10, 10, 900, 700);
    main.setWindowState(main.windowState() | Qt::WindowMaximized);
    Probe(main).Lifecycle().FormActivate();
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(main.geometry(), main.screen()->availableGeometry());
}

TEST_F(FrameBehaviour, ResizeZonesShowSizingArrowsOnlyInTheNormalState) {
    TMainForm& main = Shown();
    Move(2, 300);
    EXPECT_EQ(main.cursor().shape(), Qt::SizeHorCursor);
    Move(799, 599);
    EXPECT_EQ(main.cursor().shape(), Qt::SizeFDiagCursor);
    Move(400, 300);
    Probe(main).WindowStates().WindowMaximize();
    Move(2, 300);
    EXPECT_EQ(main.cursor().shape(), Qt::ArrowCursor);
    Move(2, 10);
    EXPECT_EQ(Probe(main).Skin().HotElement, SkinCode::Caption);
}

TEST_F(FrameBehaviour, TheSplitterStopsAtOneHundredPixels) {
    TMainForm& main = Shown();
    Move(349, 300);
    EXPECT_EQ(Probe(main).Skin().HotElement, SkinCode::Splitter);
    EXPECT_EQ(main.cursor().shape(), Qt::SplitHCursor);
    Probe(main).Frame().FormMouseDown(Qt::LeftButton, 349, 300);
    EXPECT_TRUE(Probe(main).Frame().SplitterDragging);
    Move(320, 300);
    EXPECT_EQ(main.Tree->width(), 171);
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"TreeWidth"), "171");
    EXPECT_EQ(main.Editor->x(), main.Tree->x() + 171 + 20);
    Move(200, 300);
    EXPECT_EQ(main.Tree->width(), 100);
    EXPECT_FALSE(Probe(main).Frame().SplitterDragging) << "the limit ends the drag";
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"TreeWidth"), "100");
    EXPECT_EQ(main.Tree->width() + main.Editor->width(), 200 + 410);
    Probe(main).Frame().FormMouseUp(Qt::LeftButton);
}

TEST_F(FrameBehaviour, AFastMoveIntoTheOutlineReturnsTheButtonToNormal) {
    TMainForm& main = Shown();
    Move(395, 95);
    ASSERT_EQ(Probe(main).Skin().HotElement, SkinCode::Cut);
    Probe(main).Frame().TreeMouseMove(QPoint(10, 10));
    EXPECT_EQ(Probe(main).Skin().HotElement, SkinCode::None);
    EXPECT_EQ(PixelOfWindow(QPoint(395, 95)), PixelOfSkin("Item_Cut_Normal.bmp", QPoint(25, 25)));
}

// The move from the splitter is handed to the window, finds no element there and clears
// the hint line; the control's own hint follows.
TEST_F(FrameBehaviour, FromTheSplitterIntoAControlItsHintAppears) {
    TMainForm& main = Shown();
    for (QWidget* control :
         {static_cast<QWidget*>(main.Tree), static_cast<QWidget*>(main.Editor)}) {
        Move(main.Editor->x() - 10, 300);
        ASSERT_EQ(Probe(main).Skin().HotElement, SkinCode::Splitter);
        if (control == main.Tree)
            Probe(main).Frame().TreeMouseMove(QPoint(main.Tree->width() - 5, 300 - main.Tree->y()));
        else
            Probe(main).Frame().EditorMouseMove(QPoint(5, 300 - main.Editor->y()));
        EXPECT_EQ(Probe(main).Skin().HintText, control->statusTip());
        EXPECT_FALSE(Probe(main).Skin().HintText.isEmpty());
    }
}

TEST_F(FrameBehaviour, MovingOverTheEditorGivesItTheFocus) {
    TMainForm& main = Shown();
    main.Tree->setFocus();
    Probe(main).Frame().EditorMouseMove(QPoint(10, 10));
    EXPECT_TRUE(main.Editor->hasFocus());
}

// Nothing minimises the window on this platform, as without a window manager: it stays
// in its normal state, with its maximise button, and closing stores it as normal.
TEST_F(FrameBehaviour, MinimiseThatThePlatformIgnoresKeepsTheNormalState) {
    TMainForm& main = Shown();
    Click(main.width() - 90, 20);  // the minimise button
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main.isMinimized(); },
                                3 * TFrameBehaviour::kMinimizeCheckMs));
    EXPECT_EQ(Probe(main).Skin().WindowState(), TWindowState::Normal);
    main.close();
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"Maximized"), "0");
}

TEST_F(FrameBehaviour, TheLinkTabsOpenTheHomePageAndTheMailAddress) {
    TMainForm& main = Shown();
    Click(main.width() - 10, 490);  // e-mail
    Click(main.width() - 10, 540);  // homepage
    ASSERT_EQ(shell.opened.size(), 2);
    EXPECT_EQ(shell.opened[0].scheme(), "mailto");
    EXPECT_EQ(shell.opened[1].scheme(), "https");
}

TEST_F(FrameBehaviour, CloseButtonAsksLikeTheExitCommand) {
    TMainForm& main = Shown();
    Probe(main).Texts().SetEditorText("changed");
    boxes.Answer(Answer::Cancel);
    Click(main.width() - 20, 20);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(boxes.Texts(), QStringList({QStringLiteral("編集中のファイルを保存しますか？")}));
}

}  // namespace
