#include <QGuiApplication>
#include <QScreen>

#include "settings/TSettingsFile.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"

namespace {

using Answer = TMessageBoxes::Answer;

class SettingsAtStart : public MainFormFixture {
  protected:
    QStringList WrittenLines() { return TSettingsFile::Parse(dir.Read("Hedgerow.ini")); }
    QStringList CurrentFile(const QStringList& extra) {
        QStringList lines = TSettingsList::Defaults(QRect(30, 40, 800, 700)).Lines();
        for (const QString& line : extra) {
            const QString key = line.section(u'=', 0, 0);
            TSettingsList list(lines);
            list.SetValue(key, line.section(u'=', 1));
            lines = list.Lines();
        }
        return lines;
    }
};

TEST_F(SettingsAtStart, FirstRunWritesTheThirtyDefaultLinesAndASecondRunAppliesThem) {
    boxes.Answer(Answer::No);
    TMainForm& first = StartShown();
    first.setGeometry(50, 60, 800, 650);
    first.close();
    const QStringList lines = WrittenLines();
    ASSERT_EQ(lines.size(), 30);
    EXPECT_EQ(lines, TSettingsList::Defaults(QRect(60 - 10, 60, 800, 650)).Lines().mid(0, 4) +
                         lines.mid(4));
    EXPECT_EQ(lines.mid(4, 4),
              QStringList({"FormTop=60", "FormLeft=50", "FormHeight=650", "FormWidth=800"}));
    EXPECT_TRUE(dir.Read("Hedgerow.ini").endsWith("RecentFile5=nil\r\n"));

    boxes.shown.clear();
    TMainForm& second = Start();
    EXPECT_TRUE(boxes.shown.isEmpty()) << "no association question on later starts";
    EXPECT_EQ(second.geometry(), QRect(50, 60, 800, 650));
}

TEST_F(SettingsAtStart, HandEditedFileKeepsItsCommentReportsABadNumberAndIsWrittenBack) {
    QStringList lines = CurrentFile({"autoload=0", "FormWidth=wide"});
    lines.insert(3, "; my comment");
    WriteSettings(lines);
    TMainForm& main = StartShown();
    EXPECT_EQ(boxes.Texts(), QStringList({QStringLiteral("'wide' は整数ではありません")}));
    EXPECT_FALSE(Probe(main).Session().AutoLoadOn);
    EXPECT_EQ(Outline().Count(), 1) << "start-up went on";
    EXPECT_EQ(main.y(), 40);
    main.close();
    const QStringList written = WrittenLines();
    EXPECT_EQ(written[3], "; my comment");
    EXPECT_EQ(written.size(), lines.size());
    EXPECT_EQ(TSettingsList(written).Value(u"FormWidth"), QString::number(main.width()));
}

TEST_F(SettingsAtStart, SizesBeyondTheDesktopAreReportedAndBroughtWithinIt) {
    WriteSettings(CurrentFile({"FormWidth=20000", "FormHeight=2147483647", "FormLeft=2147483647"}));
    TMainForm& main = Start();
    const QSize desktop = QGuiApplication::primaryScreen()->virtualSize();
    EXPECT_LE(main.width(), std::max(desktop.width(), main.minimumWidth()));
    EXPECT_LE(main.height(), std::max(desktop.height(), main.minimumHeight()));
    EXPECT_EQ(
        boxes.Texts(),
        QStringList({QStringLiteral("'20000' は画面より大きいため、画面の大きさにします"),
                     QStringLiteral("'2147483647' は画面より大きいため、画面の大きさにします")}));
}

TEST_F(SettingsAtStart, CurrentFileAppliesPlaceTreeWidthWrapFontsAndDialogFolder) {
    WriteSettings(CurrentFile({"AutoLoad=0", "FormHeight=300", "TreeWidth=260", "EditorWordWrap=0",
                               "EditFile=/data/docs/memo.qlo", "TreeFontName=IPAPGothic",
                               "TreeFontColor=$000080FF", "TreeFontSize=14", "TreeFontStyle=0110",
                               "EditorFontName=IPAPMincho", "EditorFontColor=clNavy",
                               "EditorFontSize=16", "EditorFontStyle=0100"}));
    TMainForm& main = StartShown();
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(main.geometry(), QRect(30, 40, 800, 600)) << "heights below the minimum are raised";
    EXPECT_EQ(main.Tree->width(), 260);
    EXPECT_EQ(main.Editor->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(Probe(main).Session().DialogFolder, "/data/docs/");

    const QFont tree = main.Tree->font();
    EXPECT_EQ(tree.family(), "IPAPGothic");
    EXPECT_EQ(tree.pointSize(), 14);
    EXPECT_FALSE(tree.bold());
    EXPECT_TRUE(tree.italic());
    EXPECT_TRUE(tree.underline());
    EXPECT_EQ(main.Tree->palette().color(QPalette::Text), QColor(255, 128, 0));

    const QFont editor = main.Editor->font();
    EXPECT_FALSE(editor.bold());
    EXPECT_TRUE(editor.italic());
    EXPECT_EQ(main.Editor->palette().color(QPalette::Text), QColor(0, 0, 128));
}

// A Wayland compositor places the window: the stored size applies, the stored position
// neither applies nor is overwritten by one the program cannot know.
TEST_F(SettingsAtStart, OnWaylandOnlyTheSizeIsAppliedAndStored) {
    platformName = QStringLiteral("wayland");
    WriteSettings(CurrentFile({"FormTop=70", "FormLeft=90", "FormHeight=650", "FormWidth=800"}));
    TMainForm& main = StartShown();
    EXPECT_EQ(main.size(), QSize(800, 650));
    EXPECT_NE(main.pos(), QPoint(90, 70));
    main.resize(800, 720);
    main.close();
    const TSettingsList written(WrittenLines());
    EXPECT_EQ(written.Value(u"FormTop"), QStringLiteral("70"));
    EXPECT_EQ(written.Value(u"FormLeft"), QStringLiteral("90"));
    EXPECT_EQ(written.Value(u"FormHeight"), QStringLiteral("720"));
    EXPECT_EQ(written.Value(u"FormWidth"), QStringLiteral("800"));
}

TEST_F(SettingsAtStart, OlderFileIsUpgradedAndNothingOfItIsApplied) {
    WriteSettings({"FormTop=300", "FormLeft=300", "FormHeight=900", "FormWidth=1000",
                   "EditorWordWrap=0", "AutoSave=", "Custom=kept"});
    TMainForm& main = StartShown();
    EXPECT_NE(main.geometry(), QRect(300, 300, 1000, 900));
    EXPECT_EQ(main.Editor->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    const QRect place = main.geometry();
    main.close();
    const TSettingsList written(WrittenLines());
    EXPECT_EQ(written.Value(u"iniFileVer"), "1.06");
    EXPECT_EQ(written.Value(u"AutoSave"), "0");
    EXPECT_EQ(written.Value(u"Custom"), "kept");
    EXPECT_EQ(written.Value(u"FormTop"), QString::number(place.top()));
    EXPECT_EQ(written.Value(u"TreeFontName"), "") << "the upgrade adds only its own keys";
}

TEST_F(SettingsAtStart, AWindowOffEveryScreenIsBroughtBack) {
    WriteSettings(CurrentFile({"FormTop=-5000", "FormLeft=-5000"}));
    TMainForm& main = Start();
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(main.pos(), work.topLeft());

    TearDown();
    WriteSettings(CurrentFile({"FormTop=10", "FormLeft=-300"}));
    EXPECT_EQ(Start().pos(), QPoint(-300, 10)) << "a partly visible place stays";
}

TEST_F(SettingsAtStart, WindowClosedMaximisedComesBackMaximisedWithItsNormalPlace) {
    WriteSettings(CurrentFile({}));
    TMainForm& main = StartShown();
    const QRect normal = main.geometry();
    main.showMaximized();
    QTest::qWait(50);
    main.close();
    const TSettingsList written(WrittenLines());
    EXPECT_EQ(written.Value(u"Maximized"), "1");
    EXPECT_EQ(written.Value(u"FormWidth"), QString::number(normal.width()));
    EXPECT_EQ(written.Value(u"FormLeft"), QString::number(normal.left()));
}

TEST_F(SettingsAtStart, UnreadableFileIsReportedAndNotOverwrittenUnlessSettingsChange) {
    QDir().mkpath(dir.File("Hedgerow.ini"));  // exists, but cannot be read as a file
    TMainForm& main = StartShown();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("は開けません")));
    EXPECT_EQ(Outline().Count(), 1);
    main.close();
    EXPECT_EQ(boxes.shown.size(), 1) << "nothing was written, so nothing failed";
}

}  // namespace
