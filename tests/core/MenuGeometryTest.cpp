#include <gtest/gtest.h>

#include "settings/TSettingsList.h"
#include "support/Printers.h"
#include "ui/TMenuGeometry.h"
#include "ui/TMenuTables.h"

namespace {

TMenuCommand CodeAt(const TMenuTable& table, int x, int y) {
    const TMenuEntry* entry = TMenuGeometry::EntryAt(table, {x, y});
    return entry ? entry->Command : TMenuCommand::None;
}

TSettingsList NoRecentFiles() {
    return TSettingsList(QStringList{"RecentFile1=nil", "RecentFile2=nil", "RecentFile3=nil",
                                     "RecentFile4=nil", "RecentFile5=nil"});
}

}  // namespace

TEST(MenuGeometry, OffsetsAndSizes) {
    EXPECT_EQ(TMenuGeometry::LeftOffset(1), 30);
    EXPECT_EQ(TMenuGeometry::LeftOffset(2), 84);
    EXPECT_EQ(TMenuGeometry::LeftOffset(3), 149);
    EXPECT_EQ(TMenuGeometry::LeftOffset(4), 218);
    EXPECT_EQ(TMenuGeometry::LeftOffset(5), 310);
    EXPECT_EQ(TMenuGeometry::SizeOf(1, 0), QSize(120, 160));
    EXPECT_EQ(TMenuGeometry::SizeOf(1, 1), QSize(120, 200));
    EXPECT_EQ(TMenuGeometry::SizeOf(1, 5), QSize(120, 280));
    EXPECT_EQ(TMenuGeometry::SizeOf(2, 0), QSize(140, 240));
    EXPECT_EQ(TMenuGeometry::SizeOf(3, 0), QSize(120, 60));
    EXPECT_EQ(TMenuGeometry::SizeOf(4, 0), QSize(200, 260));
    EXPECT_EQ(TMenuGeometry::SizeOf(5, 0), QSize(200, 120));
    EXPECT_EQ(TMenuGeometry::SizeOf(7, 0), QSize());
}

TEST(MenuGeometry, MenuHangsFromTheMenuBandUnderItsTitle) {
    EXPECT_EQ(TMenuGeometry::PlaceOf(1, {100, 200}), QPoint(130, 260));
    EXPECT_EQ(TMenuGeometry::PlaceOf(4, {0, 0}), QPoint(218, 60));
}

TEST(MenuGeometry, AMenuAtAPointOrARowTurnsAboveOrLeftOfItAtTheScreensEdges) {
    const QRect screen(0, 0, 1280, 1024);
    const QSize size(140, 360);
    const auto point = [](int x, int y) { return QRect(x, y, 0, 0); };
    EXPECT_EQ(TMenuGeometry::PlaceAt(point(100, 200), size, screen), QPoint(100, 200));
    EXPECT_EQ(TMenuGeometry::PlaceAt(point(1200, 900), size, screen), QPoint(1060, 540));
    EXPECT_EQ(TMenuGeometry::PlaceAt(point(1140, 664), size, screen), QPoint(1140, 664))
        << "just fits";
    const QRect row(100, 640, 0, 18);
    EXPECT_EQ(TMenuGeometry::PlaceAt(row, size, screen), QPoint(100, 658)) << "under the row";
    EXPECT_EQ(TMenuGeometry::PlaceAt(row.translated(0, 20), size, screen), QPoint(100, 300))
        << "above the row";
    EXPECT_EQ(TMenuGeometry::PlaceAt(point(50, 300), size, QRect(0, 0, 400, 500)), QPoint(50, 0))
        << "room on neither side: as far inside as it goes";
}

TEST(MenuGeometry, BandsAreFifteenPixelsHigh) {
    const TMenuTable table = TMenuTables::Build(2, TSettingsList());
    EXPECT_EQ(CodeAt(table, 50, 9), TMenuCommand::None);
    EXPECT_EQ(CodeAt(table, 50, 10), TMenuCommand::AddItem);
    EXPECT_EQ(CodeAt(table, 50, 24), TMenuCommand::AddItem);
    for (int y = 25; y <= 29; ++y) EXPECT_EQ(CodeAt(table, 50, y), TMenuCommand::None) << y;
    EXPECT_EQ(CodeAt(table, 50, 30), TMenuCommand::AddChildItem);
    EXPECT_EQ(CodeAt(table, 50, 64), TMenuCommand::DeleteItem);
    for (int y = 65; y <= 89; ++y)
        EXPECT_EQ(CodeAt(table, 50, y), TMenuCommand::None) << y;  // around the separator
    EXPECT_EQ(CodeAt(table, 50, 224), TMenuCommand::Undo);
    EXPECT_EQ(CodeAt(table, 50, 225), TMenuCommand::None);
}

TEST(MenuGeometry, MarginsOfTenPixelsHoldNoEntry) {
    const TMenuTable table = TMenuTables::Build(2, TSettingsList());  // 140 wide
    EXPECT_EQ(CodeAt(table, 9, 15), TMenuCommand::None);
    EXPECT_EQ(CodeAt(table, 10, 15), TMenuCommand::AddItem);
    EXPECT_EQ(CodeAt(table, 129, 15), TMenuCommand::AddItem);
    EXPECT_EQ(CodeAt(table, 130, 15), TMenuCommand::None);
    EXPECT_EQ(CodeAt(table, -5, 15), TMenuCommand::None);
}

TEST(MenuGeometry, ExitEntryWithoutRecentFiles) {
    const TMenuTable table = TMenuTables::Build(1, NoRecentFiles());
    EXPECT_EQ(CodeAt(table, 20, 129), TMenuCommand::None);
    EXPECT_EQ(CodeAt(table, 20, 130), TMenuCommand::Exit);
    EXPECT_EQ(CodeAt(table, 20, 144), TMenuCommand::Exit);
    EXPECT_EQ(CodeAt(table, 20, 145), TMenuCommand::None);
}

TEST(MenuGeometry, ExitEntryWithFiveRecentFiles) {
    const TMenuTable table = TMenuTables::Build(1, TSettingsList());  // absent keys count as used
    ASSERT_EQ(table.RecentFileCount, 5);
    EXPECT_EQ(CodeAt(table, 20, 215), TMenuCommand::RecentFile5);
    EXPECT_EQ(CodeAt(table, 20, 235), TMenuCommand::None);
    EXPECT_EQ(CodeAt(table, 20, 250), TMenuCommand::Exit);
    EXPECT_EQ(CodeAt(table, 20, 264), TMenuCommand::Exit);
}
