#include "support/MainFormFixture.h"

#include <QClipboard>
#include <QImage>
#include <QPaintEvent>

#include "skin/TSkinLayout.h"

namespace {

using Answer = TMessageBoxes::Answer;

const QString kViewHint = QStringLiteral("現バージョンでは、メニューがありません。");
const QString kCutHint = QStringLiteral("選択されている文章を、クリップボード内に切り取ります。");

class FrameBehaviour : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "AutoLoad=0", "FormTop=0", "FormLeft=0", "FormHeight=600",
                       "FormWidth=800", "TreeWidth=200", "Maximized=0"});
    }
    TMainForm& Shown() {
        TMainForm& main = StartShown();
        main.repaint();
        return main;
    }
    void Move(int x, int y) { form->FormMouseMove(x, y); }
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        Move(x, y);
        form->FormMouseDown(button, x, y);
        form->FormMouseUp(button);
    }
    // A paint of the window would run a full drawing; what it shows is its surface.
    QColor PixelOfWindow(const QPoint& at) { return form->Surface().pixelColor(at); }
    QColor PixelOfSkin(const QString& file, const QPoint& at) {
        return QImage(dir.File("Data/" + file)).pixelColor(at);
    }
};

TEST_F(FrameBehaviour, HoverLightsTheButtonAndWritesItsHint) {
    TMainForm& main = Shown();
    Move(380, 80);
    EXPECT_EQ(main.HotElement, SkinCode::Cut);
    EXPECT_EQ(main.HintText, kCutHint);
    EXPECT_EQ(PixelOfWindow(QPoint(395, 95)), PixelOfSkin("Item_Cut_Active.bmp", QPoint(25, 25)));
    Move(700, 300);  // editor area is a control; the window surface below stays
    Move(600, 90);   // background
    EXPECT_EQ(main.HotElement, 0);
    EXPECT_EQ(main.HintText, "");
    EXPECT_EQ(PixelOfWindow(QPoint(395, 95)), PixelOfSkin("Item_Cut_Normal.bmp", QPoint(25, 25)));
}

TEST_F(FrameBehaviour, TheViewHintSurvivesTheCaptionAndClearsOnTheBackground) {
    TMainForm& main = Shown();
    Move(160, 45);
    EXPECT_EQ(main.HotElement, SkinCode::MenuView);
    EXPECT_EQ(main.HintText, kViewHint);
    Move(160, 20);
    EXPECT_EQ(main.HotElement, SkinCode::Caption);
    EXPECT_EQ(main.HintText, kViewHint);
    Move(600, 90);
    EXPECT_EQ(main.HintText, "");
}

TEST_F(FrameBehaviour, ReleaseRunsTheElementUnderThePointerNotThePressedOne) {
    TMainForm& main = Shown();
    main.SetEditorText("abcdef");
    QTextCursor cursor = main.Editor->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    main.Editor->setTextCursor(cursor);

    Move(395, 95);  // press on Item_Cut, release on the background: nothing
    main.FormMouseDown(Qt::LeftButton, 395, 95);
    Move(600, 90);
    main.FormMouseUp(Qt::LeftButton);
    EXPECT_EQ(main.EditorText(), "abcdef");

    Move(600, 90);  // press on the background, release over Item_Cut: cut
    main.FormMouseDown(Qt::LeftButton, 600, 90);
    Move(395, 95);
    main.FormMouseUp(Qt::LeftButton);
    EXPECT_EQ(main.EditorText(), "def");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "abc");
}

TEST_F(FrameBehaviour, ARightClickOnAToolButtonRunsIt) {
    TMainForm& main = Shown();
    Click(60, 150, Qt::RightButton);  // brother
    EXPECT_EQ(Outline().Count(), 2);
    EXPECT_TRUE(main.Modified);
}

TEST_F(FrameBehaviour, DeleteShowsThePressedLookThenDeletesThenTheNormalLook) {
    TMainForm& main = Shown();
    main.AddItem();
    Move(60, 230);
    main.FormMouseDown(Qt::LeftButton, 60, 230);
    EXPECT_EQ(PixelOfWindow(QPoint(65, 235)), PixelOfSkin("Button_delete_Click.bmp", QPoint(45, 15)));
    boxes.Answer(Answer::Yes);
    main.FormMouseUp(Qt::LeftButton);
    EXPECT_EQ(Outline().Count(), 1);
    EXPECT_EQ(PixelOfWindow(QPoint(65, 235)), PixelOfSkin("Button_delete_Normal.bmp", QPoint(45, 15)));
}

TEST_F(FrameBehaviour, DoubleClickOnTheCaptionTogglesMaximised) {
    TMainForm& main = Shown();
    const QRect normal = main.geometry();
    Move(500, 20);
    main.FormDblClick();
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(main.geometry(), main.screen()->availableGeometry());
    EXPECT_EQ(main.Settings.Value(u"Maximized"), "1");
    Move(500, 20);
    main.FormDblClick();
    EXPECT_FALSE(main.isMaximized());
    EXPECT_EQ(main.geometry(), normal);
    EXPECT_EQ(main.Settings.Value(u"Maximized"), "0");
}

TEST_F(FrameBehaviour, TheMaximiseButtonTogglesAndTheNextStartMaximisesAgain) {
    TMainForm& main = Shown();
    Click(main.width() - 60, 20);
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(main.Settings.Value(u"Maximized"), "1");
    main.close();
    form.reset();

    TMainForm& again = Shown();
    EXPECT_EQ(again.geometry(), again.screen()->availableGeometry()) << "the first full drawing maximises";
    EXPECT_FALSE(again.Modified);
    Click(again.width() - 60, 20);
    EXPECT_FALSE(again.isMaximized());
    EXPECT_EQ(again.geometry(), QRect(0, 0, 800, 600));
}

TEST_F(FrameBehaviour, ActivationKeepsAMaximisedWindowOnTheWorkArea) {
    TMainForm& main = Shown();
    main.WindowMaximize();
    main.setGeometry(10, 10, 900, 700);
    main.setWindowState(main.windowState() | Qt::WindowMaximized);
    main.FormActivate();
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
    main.WindowMaximize();
    Move(2, 300);
    EXPECT_EQ(main.cursor().shape(), Qt::ArrowCursor);
    Move(2, 10);
    EXPECT_EQ(main.HotElement, SkinCode::Caption);
}

TEST_F(FrameBehaviour, TheSplitterStopsAtOneHundredPixels) {
    TMainForm& main = Shown();
    Move(349, 300);
    EXPECT_EQ(main.HotElement, SkinCode::Splitter);
    EXPECT_EQ(main.cursor().shape(), Qt::SplitHCursor);
    main.FormMouseDown(Qt::LeftButton, 349, 300);
    EXPECT_TRUE(main.SplitterDragging);
    Move(320, 300);
    EXPECT_EQ(main.Tree->width(), 171);
    EXPECT_EQ(main.Settings.Value(u"TreeWidth"), "171");
    EXPECT_EQ(main.Editor->x(), main.Tree->x() + 171 + 20);
    Move(200, 300);
    EXPECT_EQ(main.Tree->width(), 100);
    EXPECT_FALSE(main.SplitterDragging) << "the limit ends the drag";
    EXPECT_EQ(main.Settings.Value(u"TreeWidth"), "100");
    EXPECT_EQ(main.Tree->width() + main.Editor->width(), 200 + 410);
    main.FormMouseUp(Qt::LeftButton);
}

TEST_F(FrameBehaviour, AFastMoveIntoTheOutlineReturnsTheButtonToNormal) {
    TMainForm& main = Shown();
    Move(395, 95);
    ASSERT_EQ(main.HotElement, SkinCode::Cut);
    main.TreeMouseMove(QPoint(10, 10));
    EXPECT_EQ(main.HotElement, 0);
    EXPECT_EQ(PixelOfWindow(QPoint(395, 95)), PixelOfSkin("Item_Cut_Normal.bmp", QPoint(25, 25)));
}

// The move from the splitter is handed to the window, finds no element there and clears
// the hint line; the control's own hint follows.
TEST_F(FrameBehaviour, FromTheSplitterIntoAControlItsHintAppears) {
    TMainForm& main = Shown();
    for (QWidget* control : {static_cast<QWidget*>(main.Tree), static_cast<QWidget*>(main.Editor)}) {
        Move(main.Editor->x() - 10, 300);
        ASSERT_EQ(main.HotElement, SkinCode::Splitter);
        if (control == main.Tree)
            main.TreeMouseMove(QPoint(main.Tree->width() - 5, 300 - main.Tree->y()));
        else
            main.EditorMouseMove(QPoint(5, 300 - main.Editor->y()));
        EXPECT_EQ(main.HintText, control->statusTip());
        EXPECT_FALSE(main.HintText.isEmpty());
    }
}

TEST_F(FrameBehaviour, MovingOverTheEditorGivesItTheFocus) {
    TMainForm& main = Shown();
    main.Tree->setFocus();
    main.EditorMouseMove(QPoint(10, 10));
    EXPECT_TRUE(main.Editor->hasFocus());
}

// The tab's bitmaps are wider than where it reacts to the pointer: the whole of the new
// look reaches the screen.
TEST_F(FrameBehaviour, TheLinkTabsActiveLookIsShownWhole) {
    TMainForm& main = Shown();
    struct PaintRecorder : QObject {
        QRegion painted;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } recorder;
    main.installEventFilter(&recorder);
    Move(main.width() - 10, 540);  // homepage
    ASSERT_EQ(main.HotElement, SkinCode::Homepage);
    const TSkinElement tab = TSkinLayout::Element(SkinCode::Homepage, main.width(), main.height());
    const QRect drawn(tab.DrawnAt, QImage(dir.File("Data/homepage_Active.bmp")).size());
    EXPECT_EQ(recorder.painted.intersected(drawn), QRegion(drawn));
    main.removeEventFilter(&recorder);
}

// Nothing minimises the window on this platform, as without a window manager: it stays
// in its normal state, with its maximise button, and closing stores it as normal.
TEST_F(FrameBehaviour, MinimiseThatThePlatformIgnoresKeepsTheNormalState) {
    TMainForm& main = Shown();
    Click(main.width() - 90, 20);  // the minimise button
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main.isMinimized(); }, 3 * TMainForm::kMinimizeCheckMs));
    EXPECT_EQ(main.WindowState(), TWindowState::Normal);
    main.close();
    EXPECT_EQ(main.Settings.Value(u"Maximized"), "0");
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
    main.SetEditorText("changed");
    boxes.Answer(Answer::Cancel);
    Click(main.width() - 20, 20);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(boxes.Texts(), QStringList({QStringLiteral("編集中のファイルを保存しますか？")}));
}

TEST_F(FrameBehaviour, AMissingSkinFileIsReportedOnceAndTheProgramGoesOn) {
    TMainForm& main = Shown();
    QFile::remove(dir.File("Data/Back.bmp"));
    main.DrawBack();
    main.DrawBack();
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.contains("Back.bmp"));
    EXPECT_TRUE(boxes.shown[0].text.endsWith(QStringLiteral("は開けません")));
}

}  // namespace
