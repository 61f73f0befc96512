// Unsaved work across a session that ends without saving, and documents other programs
// change: what the next start brings back, and what a save may overwrite.
#include <QLineEdit>

#include "app/TSessionRecovery.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "support/WorkedExample.h"

namespace {

using Answer = TMessageBoxes::Answer;

const QString kRecoveryQuestion =
    QStringLiteral("前回、保存されずに終了した文章があります。復元しますか？");
const QString kOutsideChangeQuestion =
    QStringLiteral("ファイルが他のプログラムによって変更されています。上書きしますか？");
const QByteArray kOtherVersion = "qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:other:0\r\ntheirs\r\n";

class SessionRecovery : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "AutoLoad=0", "AutoSave=0", "AutoBackup=0"});
        dir.Write("doc.qlo", kWorkedExample);
    }

    // The session ends as a kill would end it, once its timers have written what they
    // write: no close, no clean-up.
    void Kill() {
        Probe(*form).Recovery().WriteNow();
        form.reset();
    }

    QString RecordPath() const { return dir.File("Data/Hedgerow.recovery"); }
    QStringList ItemFiles(const QString& folder = QStringLiteral("Data")) const {
        return QDir(dir.File(folder)).entryList({QStringLiteral("*.tmp")});
    }
    bool Shows(const QString& part) const {
        return std::any_of(boxes.shown.begin(), boxes.shown.end(),
                           [&](const auto& box) { return box.text.contains(part); });
    }
};

TEST_F(SessionRecovery, ARecordThatDoesNotReadIsSetAsideWithTheTextsItNames) {
    StartShown({dir.File("doc.qlo")});
    Probe(*form).Texts().SetEditorText("typed only here");
    Kill();
    QByteArray record = dir.Read("Data/Hedgerow.recovery");
    dir.Write("Data/Hedgerow.recovery", record.left(record.size() - 5));  // the end cut off

    StartShown();
    ASSERT_FALSE(boxes.shown.isEmpty());
    const QString message = boxes.shown.front().text;
    EXPECT_TRUE(message.contains(QStringLiteral("途中で切れています"))) << message.toStdString();
    const QStringList folders = QDir(dir.File("Data")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(folders.size(), 1);
    EXPECT_TRUE(message.contains(folders[0])) << "the user is told where";
    EXPECT_TRUE(dir.Read("Data/" + folders[0] + "/0.tmp").contains("typed only here"));
    EXPECT_TRUE(QFile::exists(dir.File("Data/" + folders[0] + "/Hedgerow.recovery")));
}

TEST_F(SessionRecovery, ASaveTakesTheRecordAwayBeforeItReportsSuccess) {
    TMainForm& main = StartShown({dir.File("doc.qlo")});
    Probe(main).Texts().SetEditorText("saved");
    Probe(main).Recovery().WriteNow();
    ASSERT_TRUE(QFile::exists(RecordPath()));
    Probe(main).Documents().SaveMenuClick();
    EXPECT_FALSE(QFile::exists(RecordPath())) << "a kill now would undo the save at the next start";
}

TEST_F(SessionRecovery, TextsGoneFromTheRecoveredSessionAreNamedAndTheDocumentStillSaves) {
    TMainForm& main = StartShown({dir.File("doc.qlo")});
    Probe(main).Texts().SelectItem(Outline().ItemAt(2));
    Probe(main).Texts().SetEditorText("memo");
    Probe(main).Session().Store.FinishWriting();
    Kill();
    QFile::remove(dir.File("Data/1.tmp"));  // deleted by an end that was cut short

    boxes.Answer(Answer::Yes);
    TMainForm& again = StartShown();
    EXPECT_TRUE(Shows(QStringLiteral("詳細"))) << boxes.Texts().join(u'\n').toStdString();
    boxes.shown.clear();
    Probe(again).Documents().SaveMenuClick();
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.Texts().join(u'\n').toStdString();
    EXPECT_TRUE(dir.Read("doc.qlo").endsWith("first\r\nsecond\r\nmemo\r\n"));
}

// The disk was full while the opened document's texts were written: once it has room,
// the record is written again, naming the texts still unwritten as parts of the
// document itself.
TEST_F(SessionRecovery, WritingFailedWhileOpeningStillLeavesARecordOnceTheDiskHasRoom) {
    QDir().mkpath(dir.File("Data/Hedgerow.source.tmp"));  // no room for the copy
    QDir().mkpath(dir.File("Data/0.tmp.new.tmp"));        // nor for the first text
    QDir().mkpath(dir.File("Data/1.tmp.new.tmp"));
    TMainForm& main = StartShown({dir.File("doc.qlo")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shows(QStringLiteral("を作成できません")); }, 2000));
    QDir().rmdir(dir.File("Data/0.tmp.new.tmp"));  // room again, but not for 1.tmp yet
    QDir().rmdir(dir.File("Data/Hedgerow.source.tmp"));
    Probe(main).Texts().SetEditorText("typed");
    Probe(main).Recovery().WriteNow();
    ASSERT_TRUE(QFile::exists(RecordPath()));
    QTest::qWait(200);
    EXPECT_EQ(boxes.shown.size(), 1) << "a failure of writing again is reported again";
    Kill();
    QDir().rmdir(dir.File("Data/1.tmp.new.tmp"));

    boxes.Answer(Answer::Yes);
    TMainForm& again = StartShown();
    Probe(again).Session().Store.FinishWriting();
    Probe(again).Documents().SaveMenuClick();
    EXPECT_EQ(dir.Read("doc.qlo"), QByteArray(kWorkedExample)
                                       .replace("first\r\nsecond\r\n", "typed\r\n")
                                       .replace("Tree=3,0=2", "Tree=3,0=1"));
}

// An import's texts are written behind as an opened document's are: a session killed
// before they reach their files still brings them back.
TEST_F(SessionRecovery, AnImportsTextsNotYetInTheirFilesComeBack) {
    TMainForm& main = StartShown({dir.File("doc.qlo")});
    Probe(main).Session().Store.FinishWriting();
    // Shift-JIS text that is most of the file: the file itself waits for the item files.
    dir.Write("notes.txt", ".imported\r\n\x96\x7b\x95\xb6\r\n\x93\xf1\x8d\x73\x96\xda\r\n");
    for (int number = 0; number < 10; ++number)  // no imported text reaches its file
        QDir().mkpath(dir.File(QStringLiteral("Data/%1.tmp.new.tmp").arg(number)));
    Probe(main).Interchange().ImportFiles({dir.File("notes.txt")}, nullptr);
    Kill();
    for (int number = 0; number < 10; ++number)
        QDir().rmdir(dir.File(QStringLiteral("Data/%1.tmp.new.tmp").arg(number)));

    boxes.Answer(Answer::Yes);
    TMainForm& again = StartShown();
    const TOutlineItem* imported = Outline().ItemAt(Outline().Count() - 1);
    ASSERT_EQ(imported->Label, "imported");
    EXPECT_EQ(Probe(again).Session().Store.Load(imported->ItemNumber),
              QString::fromUtf16(u"本文\n二行目"));
}

TEST_F(SessionRecovery, SteadyTypingReachesItsFileWithinTwoSeconds) {
    TMainForm& main = StartShown({dir.File("doc.qlo")});
    main.Editor->setFocus();
    for (int key = 0; key < 9; ++key) {
        QTest::keyClick(main.Editor, Qt::Key_A);
        QTest::qWait(300);
    }
    EXPECT_TRUE(dir.Read("Data/0.tmp").contains("aaa")) << "nothing typed was written down";
}

TEST_F(SessionRecovery, ALabelBeingEditedIsTakenByASave) {
    TMainForm& main = StartShown({dir.File("doc.qlo")});
    main.Tree->edit(main.TreeModel->IndexOf(Outline().First()));
    QLineEdit* label = main.Tree->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(label, nullptr);
    label->setText("renamed");
    Probe(main).Documents().SaveMenuClick();
    EXPECT_TRUE(dir.Read("doc.qlo").contains("\r\nnil:renamed:1\r\n"))
        << dir.Read("doc.qlo").constData();
}

TEST_F(SessionRecovery, ASaveTakesTheEditorsTextFromMemoryWhenItsFileCannotBeWritten) {
    TMainForm& main = StartShown({dir.File("doc.qlo")});
    TOutlineItem* added = AddTopLevelItem("added");
    QDir().mkpath(dir.File(QStringLiteral("Data/%1.tmp.new.tmp").arg(added->ItemNumber)));
    Probe(main).Texts().SelectItem(added);
    Probe(main).Texts().SetEditorText("only in the editor");
    Probe(main).Documents().SaveMenuClick();
    EXPECT_TRUE(dir.Read("doc.qlo").endsWith("x\r\nonly in the editor\r\n"))
        << dir.Read("doc.qlo").constData();
    EXPECT_TRUE(Shows(QStringLiteral("文書は保存しました。")))
        << boxes.Texts().join(u'\n').toStdString();
}

// Another program's version is never overwritten without a question, also after a
// recovery; the first start's question is asked once.
TEST_F(SessionRecovery, ARecoveredDocumentStillAsksBeforeOverwritingAnotherProgramsVersion) {
    QFile::remove(dir.File("Hedgerow.ini"));
    boxes.Answer(Answer::No);  // no association
    StartShown({dir.File("doc.qlo")});
    Probe(*form).Texts().SetEditorText("mine");
    Kill();
    dir.Write("doc.qlo", kOtherVersion);

    boxes.shown.clear();
    boxes.Answer(Answer::Yes);
    TMainForm& again = StartShown();
    EXPECT_EQ(boxes.Texts(), QStringList({kRecoveryQuestion}));
    boxes.Answer(Answer::Cancel);
    Probe(again).Documents().SaveMenuClick();
    EXPECT_TRUE(Shows(kOutsideChangeQuestion));
    EXPECT_EQ(dir.Read("doc.qlo"), kOtherVersion);
}

TEST_F(SessionRecovery, TheOtherProgramsVersionCanBeLoadedInsteadOfOverwritten) {
    TMainForm& main = StartShown({dir.File("doc.qlo")});
    Probe(main).Texts().SetEditorText("mine");
    dir.Write("doc.qlo", kOtherVersion);
    boxes.Answer(Answer::Reload);
    boxes.Answer(Answer::Yes);  // discard the edits
    Probe(main).Documents().SaveMenuClick();
    EXPECT_EQ(Order(), QStringLiteral("other"));
    EXPECT_EQ(Probe(main).Texts().EditorText(), QStringLiteral("theirs"));
    EXPECT_FALSE(Probe(main).Session().Modified);
    EXPECT_EQ(dir.Read("doc.qlo"), kOtherVersion);
}

TEST_F(SessionRecovery, AChangeOnDiskOfADocumentWithoutEditsIsOfferedForLoading) {
    TMainForm& main = StartShown({dir.File("doc.qlo")});
    QTest::qWait(100);
    dir.Write("doc.qlo", kOtherVersion);
    boxes.Answer(Answer::Yes);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Order() == QStringLiteral("other"); }, 3000))
        << boxes.Texts().join(u'\n').toStdString();
    EXPECT_TRUE(Shows(QStringLiteral("読み込み直しますか")));
    EXPECT_FALSE(Probe(main).Session().Modified);
}

TEST_F(SessionRecovery, ADocumentNamedOnTheCommandLineOpensOnceTheRecoveredOneIsSettled) {
    dir.Write("other.qlo", kOtherVersion);
    StartShown({dir.File("doc.qlo")});
    Probe(*form).Texts().SetEditorText("mine");
    Kill();

    boxes.Answer(Answer::Yes);  // recover
    boxes.Answer(Answer::No);   // and do not save it
    StartShown({dir.File("other.qlo")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Order() == QStringLiteral("other"); }, 2000))
        << boxes.Texts().join(u'\n').toStdString();
    EXPECT_EQ(boxes.Texts(),
              QStringList({kRecoveryQuestion, QStringLiteral("編集中のファイルを保存しますか？")}));
}

TEST_F(SessionRecovery, AStartThatLoadsNoDocumentHasNoDocumentToSaveInto) {
    WriteSettings({"iniFileVer=1.06", "AutoLoad=0", "EditFile=" + dir.File("doc.qlo")});
    TMainForm& main = StartShown();
    Probe(main).Documents().SaveMenuClick();
    EXPECT_EQ(dialogs.asked, 1) << "Save must ask for a name";
    EXPECT_EQ(dir.Read("doc.qlo"), kWorkedExample);
}

}  // namespace
