#include <QDialog>
#include <QPaintEvent>

#include "skin/TSkinLayout.h"
#include "support/SkinnedWindowFixture.h"
#include "support/TMainFormProbe.h"

namespace {

class SkinSurface : public SkinnedWindowFixture {};

// The tab's bitmaps are wider than where it reacts to the pointer: the whole of the new
// look reaches the screen.
TEST_F(SkinSurface, TheLinkTabsActiveLookIsShownWhole) {
    TMainForm& main = Shown();
    struct PaintRecorder : QObject {
        QRegion painted;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                painted += static_cast<QPaintEvent*>(event)->region();
            return false;
        }
    } recorder;
    main.installEventFilter(&recorder);
    Move(main.width() - 10, 540);  // homepage
    ASSERT_EQ(Probe(main).Skin().HotElement, SkinCode::Homepage);
    const TSkinElement tab = TSkinLayout::Element(SkinCode::Homepage, main.width(), main.height());
    const QRect drawn(tab.DrawnAt, QImage(dir.File("Data/homepage_Active.bmp")).size());
    EXPECT_EQ(recorder.painted.intersected(drawn), QRegion(drawn));
    main.removeEventFilter(&recorder);
}

// A compositor may never activate a new window: it is drawn all the same.
TEST_F(SkinSurface, TheWindowIsDrawnBeforeItIsEverActivated) {
    TMainForm& main = Start();
    const QImage image = main.grab().toImage();
    ASSERT_FALSE(Probe(main).Skin().Activated);
    EXPECT_NE(image.pixelColor(main.width() / 2, 10), QColor(Qt::white))
        << "the title band is blank";
    EXPECT_GT(main.Editor->x(), main.Tree->x()) << "the controls were never laid out";
}

// A dialog of the program's own (a file dialog) closes and the window is drawn while
// the window is not active yet: its activation brings the active title band back.
TEST_F(SkinSurface, TheTitleBandLooksActiveAgainAfterTheProgramsOwnDialog) {
    TMainForm& main = Shown();
    const QRect title(TSkinLayout::TitleBarPos(), QSize(main.width() - 20, 30));
    const QImage active = Probe(main).Skin().Surface().copy(title);
    Probe(main).Skin().AppDeactivate();  // as DrawBack draws it right after the dialog
    ASSERT_NE(Probe(main).Skin().Surface().copy(title), active) << "no inactive look to tell apart";
    QDialog dialog(&main);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, 2000));
    dialog.hide();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main, 2000));
    QTest::qWait(50);
    EXPECT_TRUE(Probe(main).Skin().Surface().copy(title) == active)
        << "the title band stays inactive";
}

TEST_F(SkinSurface, AMissingSkinFileIsReportedOnceAndTheProgramGoesOn) {
    TMainForm& main = Shown();
    QFile::remove(dir.File("Data/Back.bmp"));
    Probe(main).Skin().DrawBack();
    Probe(main).Skin().DrawBack();
    QCoreApplication::processEvents();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.contains("Back.bmp"));
    EXPECT_TRUE(boxes.shown[0].text.endsWith(QStringLiteral("は開けません")));
}

}  // namespace
