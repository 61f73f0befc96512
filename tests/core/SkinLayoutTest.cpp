#include <gtest/gtest.h>

#include "skin/TSkinLayout.h"

namespace {

constexpr int W = 800;
constexpr int H = 600;

TPointerInput At(int x, int y, TWindowState state = TWindowState::Normal) {
    TPointerInput in;
    in.X = x;
    in.Y = y;
    in.W = W;
    in.H = H;
    in.State = state;
    const TControlLayout layout = TSkinLayout::LayoutControls(W, H, 200);
    in.Tree = layout.Tree;
    in.Editor = layout.Editor;
    return in;
}

SkinCode CodeAt(int x, int y, TWindowState state = TWindowState::Normal) {
    return TSkinLayout::Classify(At(x, y, state)).Code;
}

}  // namespace

TEST(SkinLayout, Floor10DropsTheFraction) {
    EXPECT_EQ(TSkinLayout::Floor10(600), 600);
    EXPECT_EQ(TSkinLayout::Floor10(609), 600);
    EXPECT_EQ(TSkinLayout::Floor10(599), 590);
    EXPECT_EQ(TSkinLayout::Floor10(806), 800);
    EXPECT_EQ(TSkinLayout::Floor10(0), 0);
}

TEST(SkinLayout, MinimumWindowPlacesOutlineEditorTabsAndHintLine) {
    const TControlLayout layout = TSkinLayout::LayoutControls(800, 600, 200);
    EXPECT_EQ(layout.Tree, QRect(140, 130, 200, 430));
    EXPECT_EQ(layout.Editor, QRect(360, 130, 410, 430));
    EXPECT_FALSE(layout.TreeWidthCut);

    EXPECT_EQ(TSkinLayout::Element(SkinCode::EMail, 800, 600).DrawnAt, QPoint(785, 470));
    EXPECT_EQ(TSkinLayout::Element(SkinCode::Homepage, 800, 600).DrawnAt, QPoint(785, 520));
    const QRect hint = TSkinLayout::HintBand(800, 600);
    EXPECT_EQ(hint.top(), 580);
    EXPECT_EQ(hint.top() + hint.height(), 595);
    EXPECT_EQ(hint.left(), 5);
    EXPECT_EQ(hint.left() + hint.width(), 795);
    EXPECT_EQ(TSkinLayout::HintTextPos(600), QPoint(10, 580));
}

TEST(SkinLayout, ControlsUseTheWidthRoundedDownButFrameFollowsExactWidth) {
    const TControlLayout layout = TSkinLayout::LayoutControls(806, 609, 200);
    EXPECT_EQ(layout.Editor.x() + layout.Editor.width(), 770);
    EXPECT_EQ(layout.Tree.height(), 430);
    EXPECT_EQ(TSkinLayout::Element(SkinCode::Close, 806, 609).DrawnAt, QPoint(771, 5));
    EXPECT_EQ(TSkinLayout::Element(SkinCode::Minimize, 806, 609).DrawnAt, QPoint(696, 5));
    EXPECT_EQ(TSkinLayout::Element(SkinCode::Maximize, 806, 609).DrawnAt, QPoint(731, 5));
    EXPECT_EQ(TSkinLayout::TitlePos(806), QPoint(656, 60));
    EXPECT_EQ(TSkinLayout::Element(SkinCode::EMail, 806, 609).DrawnAt, QPoint(791, 470));
    EXPECT_EQ(TSkinLayout::Element(SkinCode::Homepage, 806, 609).DrawnAt, QPoint(791, 520));
}

TEST(SkinLayout, EditorKeepsAtLeastOneHundredPixels) {
    // 510 leaves the editor exactly 100 wide: nothing is cut.
    TControlLayout fits = TSkinLayout::LayoutControls(800, 600, 510);
    EXPECT_FALSE(fits.TreeWidthCut);
    EXPECT_EQ(fits.Editor, QRect(670, 130, 100, 430));

    TControlLayout cut = TSkinLayout::LayoutControls(800, 600, 511);
    EXPECT_TRUE(cut.TreeWidthCut);
    EXPECT_EQ(cut.Tree, QRect(140, 130, 510, 430));
    EXPECT_EQ(cut.Editor, QRect(670, 130, 100, 430));

    cut = TSkinLayout::LayoutControls(1285, 600, 2000);
    EXPECT_EQ(cut.Tree.width(), 990);
    EXPECT_EQ(cut.Editor, QRect(1150, 130, 100, 430));
}

TEST(SkinLayout, ItemButtonsExcludeTheirRightAndBottomEnds) {
    EXPECT_EQ(CodeAt(109, 150), SkinCode::ButtonBrother);
    EXPECT_EQ(CodeAt(110, 150), SkinCode::None);
    EXPECT_EQ(CodeAt(20, 140), SkinCode::ButtonBrother);
    EXPECT_EQ(CodeAt(19, 140), SkinCode::None);
    EXPECT_EQ(CodeAt(20, 139), SkinCode::None);
    EXPECT_EQ(CodeAt(20, 169), SkinCode::ButtonBrother);
    EXPECT_EQ(CodeAt(20, 170), SkinCode::None);
    EXPECT_EQ(CodeAt(60, 180), SkinCode::ButtonChild);
    EXPECT_EQ(CodeAt(60, 249), SkinCode::ButtonDelete);
    EXPECT_EQ(CodeAt(60, 250), SkinCode::None);
}

TEST(SkinLayout, ToolRowAndArrowPad) {
    EXPECT_EQ(CodeAt(20, 70), SkinCode::NewFile);
    EXPECT_EQ(CodeAt(69, 119), SkinCode::NewFile);
    EXPECT_EQ(CodeAt(70, 70), SkinCode::OpenFile);
    EXPECT_EQ(CodeAt(169, 100), SkinCode::SaveFile);
    EXPECT_EQ(CodeAt(170, 100), SkinCode::None);  // gap between the groups
    EXPECT_EQ(CodeAt(220, 100), SkinCode::PasteBrother);
    EXPECT_EQ(CodeAt(270, 100), SkinCode::PasteChild);
    EXPECT_EQ(CodeAt(320, 100), SkinCode::None);
    EXPECT_EQ(CodeAt(370, 100), SkinCode::Cut);
    EXPECT_EQ(CodeAt(420, 100), SkinCode::Copy);
    EXPECT_EQ(CodeAt(470, 100), SkinCode::Paste);
    EXPECT_EQ(CodeAt(569, 119), SkinCode::Undo);
    EXPECT_EQ(CodeAt(569, 120), SkinCode::None);
    EXPECT_EQ(CodeAt(570, 70), SkinCode::None);

    EXPECT_EQ(CodeAt(55, 280), SkinCode::ItemUp);
    EXPECT_EQ(CodeAt(84, 309), SkinCode::ItemUp);
    EXPECT_EQ(CodeAt(85, 280), SkinCode::None);
    EXPECT_EQ(CodeAt(55, 340), SkinCode::ItemDown);
    EXPECT_EQ(CodeAt(54, 310), SkinCode::ItemLeft);
    EXPECT_EQ(CodeAt(25, 339), SkinCode::ItemLeft);
    EXPECT_EQ(CodeAt(55, 310), SkinCode::None);  // the middle of the pad
    EXPECT_EQ(CodeAt(85, 310), SkinCode::ItemRight);
    EXPECT_EQ(CodeAt(114, 339), SkinCode::ItemRight);
    EXPECT_EQ(CodeAt(115, 310), SkinCode::None);
}

TEST(SkinLayout, MenuTitlesIncludeBothEnds) {
    EXPECT_EQ(CodeAt(30, 35), SkinCode::MenuFile);
    EXPECT_EQ(CodeAt(61, 57), SkinCode::MenuFile);
    EXPECT_EQ(CodeAt(62, 45), SkinCode::None);
    EXPECT_EQ(CodeAt(29, 45), SkinCode::None);
    EXPECT_EQ(CodeAt(30, 58), SkinCode::None);
    // Row 34 is drawn but not hit: the caption takes it.
    EXPECT_EQ(CodeAt(30, 34), SkinCode::Caption);
    EXPECT_EQ(CodeAt(84, 40), SkinCode::MenuEdit);
    EXPECT_EQ(CodeAt(125, 40), SkinCode::MenuEdit);
    EXPECT_EQ(CodeAt(194, 40), SkinCode::MenuView);
    EXPECT_EQ(CodeAt(218, 40), SkinCode::MenuOption);
    EXPECT_EQ(CodeAt(285, 40), SkinCode::MenuOption);
    EXPECT_EQ(CodeAt(355, 57), SkinCode::MenuHelp);
    EXPECT_EQ(CodeAt(356, 57), SkinCode::None);
}

TEST(SkinLayout, ResizeZonesAndCorners) {
    EXPECT_EQ(CodeAt(20, 2), SkinCode::TopLeftCorner);
    EXPECT_EQ(CodeAt(21, 2), SkinCode::TopEdge);
    EXPECT_EQ(CodeAt(779, 2), SkinCode::TopEdge);
    EXPECT_EQ(CodeAt(780, 2), SkinCode::TopRightCorner);
    EXPECT_EQ(CodeAt(4, 20), SkinCode::TopLeftCorner);
    EXPECT_EQ(CodeAt(4, 21), SkinCode::LeftEdge);
    EXPECT_EQ(CodeAt(5, 100), SkinCode::None);
    EXPECT_EQ(CodeAt(4, 579), SkinCode::LeftEdge);
    EXPECT_EQ(CodeAt(4, 580), SkinCode::BottomLeftCorner);
    // The right zone is X > W - 5: only four columns deep.
    EXPECT_EQ(CodeAt(795, 100), SkinCode::None);
    EXPECT_EQ(CodeAt(796, 100), SkinCode::RightEdge);
    EXPECT_EQ(CodeAt(799, 20), SkinCode::TopRightCorner);
    EXPECT_EQ(CodeAt(799, 580), SkinCode::BottomRightCorner);
    EXPECT_EQ(CodeAt(100, 595), SkinCode::None);
    EXPECT_EQ(CodeAt(100, 596), SkinCode::BottomEdge);
    EXPECT_EQ(CodeAt(20, 599), SkinCode::BottomLeftCorner);
    EXPECT_EQ(CodeAt(21, 599), SkinCode::BottomEdge);
    EXPECT_EQ(CodeAt(780, 599), SkinCode::BottomRightCorner);

    const TPointerHit hit = TSkinLayout::Classify(At(796, 100));
    EXPECT_EQ(hit.ResizeZone, SkinCode::RightEdge);
    EXPECT_EQ(TSkinLayout::Classify(At(400, 300)).ResizeZone, SkinCode::None);
}

TEST(SkinLayout, ResizeZonesExistOnlyInTheNormalState) {
    for (TWindowState state : {TWindowState::Maximized, TWindowState::Minimized}) {
        EXPECT_EQ(CodeAt(2, 100, state), SkinCode::None);
        EXPECT_EQ(CodeAt(2, 10, state), SkinCode::Caption);
        EXPECT_EQ(CodeAt(100, 598, state), SkinCode::None);
        EXPECT_EQ(TSkinLayout::Classify(At(798, 300, state)).ResizeZone, SkinCode::None);
    }
    // In the normal state the corner, not the caption, owns (2, 10).
    EXPECT_EQ(CodeAt(2, 10), SkinCode::TopLeftCorner);
}

TEST(SkinLayout, CaptionGivesWayToWindowButtons) {
    EXPECT_EQ(CodeAt(400, 20), SkinCode::Caption);
    EXPECT_EQ(CodeAt(400, 34), SkinCode::Caption);
    EXPECT_EQ(CodeAt(400, 35), SkinCode::None);
    EXPECT_EQ(CodeAt(689, 20), SkinCode::Caption);
    EXPECT_EQ(CodeAt(690, 5), SkinCode::Minimize);
    EXPECT_EQ(CodeAt(719, 34), SkinCode::Minimize);
    EXPECT_EQ(CodeAt(720, 20), SkinCode::Caption);
    EXPECT_EQ(CodeAt(725, 5), SkinCode::Maximize);
    EXPECT_EQ(CodeAt(754, 34), SkinCode::Maximize);
    EXPECT_EQ(CodeAt(755, 20), SkinCode::Caption);
    EXPECT_EQ(CodeAt(765, 5), SkinCode::Close);
    EXPECT_EQ(CodeAt(794, 34), SkinCode::Close);
    EXPECT_EQ(CodeAt(795, 20), SkinCode::Caption);
    EXPECT_EQ(CodeAt(765, 35), SkinCode::None);
    EXPECT_EQ(CodeAt(765, 4), SkinCode::TopEdge);
    // Maximised, the same places are buttons too.
    EXPECT_EQ(CodeAt(765, 5, TWindowState::Maximized), SkinCode::Close);
}

TEST(SkinLayout, LinkTabsHaveOpenSidesAndClosedEnds) {
    EXPECT_EQ(CodeAt(786, 470), SkinCode::EMail);
    EXPECT_EQ(CodeAt(794, 500), SkinCode::EMail);
    EXPECT_EQ(CodeAt(785, 480), SkinCode::None);
    EXPECT_EQ(CodeAt(795, 480), SkinCode::None);
    EXPECT_EQ(CodeAt(790, 469), SkinCode::None);
    EXPECT_EQ(CodeAt(790, 501), SkinCode::None);
    EXPECT_EQ(CodeAt(790, 519), SkinCode::None);
    EXPECT_EQ(CodeAt(790, 520), SkinCode::Homepage);
    EXPECT_EQ(CodeAt(790, 580), SkinCode::Homepage);
    EXPECT_EQ(CodeAt(790, 581), SkinCode::None);
}

TEST(SkinLayout, SplitterIsTheOpenGapBetweenTheControls) {
    // Tree (140, 130) 200 x 430, editor from x 360.
    EXPECT_EQ(CodeAt(341, 131), SkinCode::Splitter);
    EXPECT_EQ(CodeAt(359, 559), SkinCode::Splitter);
    EXPECT_EQ(CodeAt(340, 300), SkinCode::None);
    EXPECT_EQ(CodeAt(360, 300), SkinCode::None);
    EXPECT_EQ(CodeAt(350, 130), SkinCode::None);
    EXPECT_EQ(CodeAt(350, 560), SkinCode::None);
}

TEST(SkinLayout, SplitterDragOverridesEverythingButAnOpenMenu) {
    TPointerInput in = At(400, 100);  // over Item_Copy
    in.SplitterDragging = true;
    EXPECT_EQ(TSkinLayout::Classify(in).Code, SkinCode::Splitter);
    in = At(2, 100);
    in.SplitterDragging = true;
    EXPECT_EQ(TSkinLayout::Classify(in).Code, SkinCode::Splitter);
    in.MenuVisible = true;
    EXPECT_EQ(TSkinLayout::Classify(in).Code, SkinCode::None);
    // The frame phase alone does not know about the drag.
    in.MenuVisible = false;
    EXPECT_EQ(TSkinLayout::ClassifyFrame(in).Code, SkinCode::LeftEdge);
}

TEST(SkinLayout, OpenMenuLeavesOnlyTheMenuTitles) {
    auto withMenu = [](int x, int y) {
        TPointerInput in = At(x, y);
        in.MenuVisible = true;
        return TSkinLayout::Classify(in);
    };
    EXPECT_EQ(withMenu(40, 40).Code, SkinCode::MenuFile);
    EXPECT_EQ(withMenu(320, 50).Code, SkinCode::MenuHelp);
    EXPECT_TRUE(withMenu(320, 50).StoppedAtMenu);
    for (const QPoint& p :
         {QPoint(400, 20), QPoint(2, 100), QPoint(2, 2), QPoint(20, 140), QPoint(400, 100),
          QPoint(765, 10), QPoint(790, 480), QPoint(350, 300)}) {
        const TPointerHit hit = withMenu(p.x(), p.y());
        EXPECT_EQ(hit.Code, SkinCode::None) << p.x() << "," << p.y();
        EXPECT_EQ(hit.ResizeZone, SkinCode::None);
    }
}

TEST(SkinLayout, ShadowCoversRightSideAndBottomOfAControl) {
    const QVector<TSkinPlacement> s = TSkinLayout::ShadowPlacements(QRect(140, 130, 200, 430));
    ASSERT_EQ(s.size(), 1 + 41 + 3);
    EXPECT_EQ(s.first().File, QStringLiteral("Shadow_TopRight.bmp"));
    EXPECT_EQ(s.first().At, QPoint(340, 130));
    EXPECT_EQ(s[1].File, QStringLiteral("Shadow_Right.bmp"));
    EXPECT_EQ(s[1].At, QPoint(340, 150));
    EXPECT_EQ(s[41].At, QPoint(340, 550));  // last tile ends at the bottom, 560
    EXPECT_EQ(s[42].File, QStringLiteral("Shadow_BottomLeft.bmp"));
    EXPECT_EQ(s[42].At, QPoint(140, 560));
    EXPECT_EQ(s[43].File, QStringLiteral("Shadow_Bottom.bmp"));
    EXPECT_EQ(s[43].Stretch, QRect(160, 560, 180, 20));
    EXPECT_EQ(s[44].File, QStringLiteral("Shadow_BottomRight.bmp"));
    EXPECT_EQ(s[44].At, QPoint(340, 560));
    for (const TSkinPlacement& p : s) {
        if (p.File != QStringLiteral("Shadow_Bottom.bmp")) {
            EXPECT_TRUE(p.Stretch.isNull());
        }
    }
}

TEST(SkinLayout, ShadowRightTilesFollowTheRoundedHeight) {
    auto tiles = [](int height) {
        int n = 0;
        for (const TSkinPlacement& p : TSkinLayout::ShadowPlacements(QRect(0, 0, 50, height))) {
            if (p.File == QStringLiteral("Shadow_Right.bmp")) ++n;
        }
        return n;
    };
    EXPECT_EQ(tiles(24), 0);  // n = 2
    EXPECT_EQ(tiles(26), 1);  // n = 3
    EXPECT_EQ(tiles(30), 1);
    EXPECT_EQ(tiles(44), 2);  // n = 4
    EXPECT_EQ(tiles(46), 3);  // n = 5
    EXPECT_EQ(tiles(0), 0);
}

TEST(SkinLayout, ElementTableNamesEveryDrawnElement) {
    const QVector<TSkinElement> all = TSkinLayout::Elements(800, 600, TWindowState::Normal);
    EXPECT_EQ(all.size(), 26);
    for (const TSkinElement& e : all) {
        EXPECT_TRUE(e.Hit.contains(e.DrawnAt) || e.Code >= SkinCode::MenuFile)
            << e.Stem.toStdString();
    }
    EXPECT_EQ(TSkinLayout::Element(SkinCode::Maximize, 800, 600, TWindowState::Maximized).Stem,
              QStringLiteral("SystemButton_Normalize"));
    EXPECT_EQ(TSkinLayout::Element(SkinCode::Maximize, 800, 600, TWindowState::Normal).Stem,
              QStringLiteral("SystemButton_Maximize"));
    EXPECT_EQ(TSkinLayout::Element(SkinCode::Splitter, 800, 600).Code, SkinCode::None);
    EXPECT_EQ(TSkinLayout::Element(SkinCode::Caption, 800, 600).Code, SkinCode::None);

    const TSkinElement del = TSkinLayout::Element(SkinCode::ButtonDelete, 800, 600);
    EXPECT_EQ(TSkinLayout::LookFile(del, TSkinLook::Click),
              QStringLiteral("Button_delete_Click.bmp"));
    EXPECT_EQ(
        TSkinLayout::LookFile(TSkinLayout::Element(SkinCode::EMail, 800, 600), TSkinLook::Active),
        QStringLiteral("e-mail_Active.bmp"));
    EXPECT_EQ(
        TSkinLayout::LookFile(TSkinLayout::Element(SkinCode::Close, 800, 600), TSkinLook::Active),
        QStringLiteral("SystemButton_Close.bmp"));
    EXPECT_EQ(TSkinLayout::Element(SkinCode::MenuOption, 800, 600).DrawnAt, QPoint(218, 34));
}

TEST(SkinLayout, FixedDecorations) {
    const QVector<QPoint> tiles = TSkinLayout::BackgroundTiles(800, 600);
    ASSERT_EQ(tiles.size(), 9 * 7);  // 100 i <= W, 100 j <= H
    EXPECT_EQ(tiles[0], QPoint(0, 0));
    EXPECT_EQ(tiles[8], QPoint(800, 0));
    EXPECT_EQ(tiles[9], QPoint(0, 100));
    EXPECT_EQ(tiles.last(), QPoint(800, 600));

    const QVector<TSkinPlacement> frame = TSkinLayout::RoundFramePlacements();
    ASSERT_EQ(frame.size(), 4 + 24 + 20);
    EXPECT_EQ(frame[3].At, QPoint(120, 260));
    EXPECT_EQ(frame[4].At, QPoint(10, 140));
    EXPECT_EQ(frame[5].At, QPoint(120, 140));
    EXPECT_EQ(frame[27].At, QPoint(120, 250));
    EXPECT_EQ(frame[28].At, QPoint(20, 130));
    EXPECT_EQ(frame[29].At, QPoint(20, 260));
    EXPECT_EQ(frame.last().At, QPoint(110, 260));

    const QVector<QRect> border = TSkinLayout::BorderRects(800, 600);
    ASSERT_EQ(border.size(), 3);
    EXPECT_EQ(border[2], QRect(2, 2, 796, 596));
}
