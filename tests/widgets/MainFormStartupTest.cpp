#include "platform/Cp932Codec.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "support/WorkedExample.h"

namespace {

using Answer = TMessageBoxes::Answer;

const QString kAssociateQuestion = QStringLiteral(
    "qloを本アプリケーションに関連づけますか？これは後から、オプションメニューからでも設定できます"
    "。");

class MainFormStartup : public MainFormFixture {};

TEST_F(MainFormStartup, FirstStartAsksAboutAssociationAndCreatesTheDefaultItem) {
    dir.Write("Data/4.tmp", "stale");
    dir.Write("Data/Back.bmp", "skin");
    boxes.Answer(Answer::No);
    TMainForm& main = Start();

    EXPECT_EQ(boxes.Texts(), QStringList({kAssociateQuestion}));
    EXPECT_FALSE(QFile::exists(dir.File("Data/4.tmp")));
    EXPECT_TRUE(QFile::exists(dir.File("Data/Back.bmp")));
    ASSERT_EQ(Outline().Count(), 1);
    EXPECT_EQ(Outline().First()->Label, QStringLiteral("新規"));
    EXPECT_EQ(Outline().First()->ItemNumber, 0);
    EXPECT_EQ(Probe(main).Session().NextItemNumber, 1);
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, -1);
    EXPECT_FALSE(Probe(main).Session().Modified);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("brisbeck outline editor 1.08"));
    EXPECT_EQ(Probe(main).Session().Settings.Lines().size(), 30);
    EXPECT_GE(main.width(), 800);
    EXPECT_GE(main.height(), 600);
    EXPECT_TRUE(main.windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(MainFormStartup, YesToTheFirstStartQuestionAssociatesTheDocuments) {
    boxes.Answer(Answer::Yes);
    Start();
    EXPECT_EQ(association.registered, 1);
    EXPECT_EQ(boxes.Texts().last(), QStringLiteral("qloの拡張子の関連づけをしました。"));
}

TEST_F(MainFormStartup, NoToTheFirstStartQuestionAssociatesNothing) {
    boxes.Answer(Answer::No);
    Start();
    EXPECT_EQ(association.registered, 0);
    EXPECT_EQ(boxes.shown.size(), 1);
}

TEST_F(MainFormStartup, FirstActivationSelectsTheFirstItem) {
    WriteSettings({"iniFileVer=1.06"});
    TMainForm& main = StartShown();
    EXPECT_TRUE(Probe(main).Skin().Activated);
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 0);
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Outline().First());
    EXPECT_TRUE(main.Tree->selectionModel()->isSelected(main.TreeModel->IndexOf(Outline().First())))
        << "shown selected, not only current";
    EXPECT_FALSE(Probe(main).Session().Modified);
}

TEST_F(MainFormStartup, ShutdownWritesSettingsAndRemovesItemTexts) {
    boxes.Answer(Answer::No);
    TMainForm& main = StartShown();
    AddTopLevelItem("second");
    Probe(main).Texts().SelectItem(Outline().ItemAt(1));
    ASSERT_TRUE(QFile::exists(dir.File("Data/0.tmp")));
    main.close();
    EXPECT_FALSE(QFile::exists(dir.File("Data/0.tmp")));
    const QByteArray ini = dir.Read("Hedgerow.ini");
    EXPECT_TRUE(ini.startsWith("ApplicationName=brisbeck outline editor\r\nVersion=1.08\r\n"));
    EXPECT_TRUE(ini.endsWith("RecentFile5=nil\r\n"));
    EXPECT_TRUE(ini.contains(QStringLiteral("FormWidth=%1\r\n").arg(main.width()).toLatin1()));
    EXPECT_TRUE(ini.contains("Maximized=0\r\n"));
}

TEST_F(MainFormStartup, SettingsThatCannotBeWrittenAreReportedAndShutdownCompletes) {
    WriteSettings({"iniFileVer=1.06"});
    TMainForm& main = StartShown();
    QFile::remove(dir.File("Hedgerow.ini"));
    QDir().mkpath(dir.File("Hedgerow.ini"));  // a folder in the way: the file cannot be written
    AddTopLevelItem("second");
    Probe(main).Texts().SelectItem(Outline().ItemAt(1));
    main.close();
    EXPECT_FALSE(main.isVisible());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(
        boxes.shown[0].text.section(u'\n', 0, 0).endsWith(QStringLiteral("を作成できません")));
    EXPECT_FALSE(QFile::exists(dir.File("Data/0.tmp")));
}

// The texts of the document given at start-up reach their files behind the opening; a
// file that cannot be written is reported only once the window is there.
TEST_F(MainFormStartup, AStartDocumentsTextFileThatCannotBeWrittenIsReportedAfterTheWindowIsShown) {
    WriteSettings({"iniFileVer=1.06", "AutoLoad=0"});
    dir.Write("doc.qlo", kWorkedExample);
    for (int number = 0; number < 10; ++number)  // folders in the way of the files
        QDir().mkpath(dir.File(QStringLiteral("Data/%1.tmp.new.tmp").arg(number)));
    TMainForm& main = Start({dir.File("doc.qlo")});
    QTest::qWait(300);
    EXPECT_TRUE(boxes.shown.isEmpty()) << "reported before the window was shown";
    main.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.shown.isEmpty(); }, 2000));
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("を作成できません")))
        << boxes.shown[0].text.toStdString();
    EXPECT_EQ(Probe(main).Texts().EditorText(), QStringLiteral("first\nsecond"));
}

}  // namespace

namespace {

class BringToFrontTest : public MainFormFixture {};

TEST_F(BringToFrontTest, AMinimisedWindowIsRestoredAndShown) {
    WriteSettings({"iniFileVer=1.06", "AutoLoad=0"});
    TMainForm& main = StartShown();
    main.showMinimized();
    QTest::qWait(20);
    main.BringToFront();
    EXPECT_FALSE(main.isMinimized());
    EXPECT_TRUE(main.isVisible());
}

}  // namespace
