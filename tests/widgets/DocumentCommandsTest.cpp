#include "document/TOutlineItem.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "support/WorkedExample.h"

namespace {

using Answer = TMessageBoxes::Answer;

class DocumentCommands : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "AutoLoad=0", "AutoSave=0", "AutoBackup=1",
                       "EditFile=nil", "EditorWordWrap=1", "RecentFile1=nil", "RecentFile2=nil",
                       "RecentFile3=nil", "RecentFile4=nil", "RecentFile5=nil"});
    }

    // Builds the outline of the worked example through the commands.
    void BuildExample(TMainForm& main) {
        main.TreeModel->SetLabel(Outline().First(), QStringLiteral("計画"));
        Probe(main).Texts().SetEditorText("first\nsecond");
        Probe(main).Items().AddChildItem();
        main.TreeModel->SetLabel(Probe(main).Texts().SelectedItem(), QStringLiteral("詳細"));
        Probe(main).Items().AddItem();
        Probe(main).Items().MoveLeftItem();
        main.TreeModel->SetLabel(Probe(main).Texts().SelectedItem(), QStringLiteral("メモ"));
        Probe(main).Texts().SetEditorText("x");
    }
};

TEST_F(DocumentCommands, SaveWritesTheWorkedExampleAndNamesTheFileInTheCaption) {
    TMainForm& main = StartShown();
    BuildExample(main);
    ASSERT_TRUE(Probe(main).Documents().SaveFile(dir.File("memo.qlo")));
    EXPECT_EQ(dir.Read("memo.qlo"), kWorkedExample);
    EXPECT_FALSE(Probe(main).Session().Modified);
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"EditFile"), dir.File("memo.qlo"));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("brisbeck outline editor 1.08  [ memo.qlo ]"));
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"RecentFile1"), "nil")
        << "saving does not touch the recent list";
}

TEST_F(DocumentCommands, SmallestDocument) {
    TMainForm& main = StartShown();
    ASSERT_TRUE(Probe(main).Documents().SaveFile(dir.File("new.qlo")));
    EXPECT_EQ(dir.Read("new.qlo"),
              QByteArray("qlm oe data form 1.3\r\nTree=1,0=0\r\nnil:\x90\x56\x8b\x4b:0\r\n"));
}

TEST_F(DocumentCommands, SavingTwiceKeepsTheFirstVersionAsBackup) {
    TMainForm& main = StartShown();
    Probe(main).Texts().SetEditorText("one");
    Probe(main).Documents().SaveFile(dir.File("doc.qlo"));
    EXPECT_FALSE(QFile::exists(dir.File("doc.qlo~")));
    const QByteArray first = dir.Read("doc.qlo");
    Probe(main).Texts().SetEditorText("two");
    Probe(main).Documents().SaveFile(dir.File("doc.qlo"));
    EXPECT_EQ(dir.Read("doc.qlo~"), first);

    Probe(main).Documents().AutoBackupMenuClick();
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"AutoBackup"), "0");
    Probe(main).Texts().SetEditorText("three");
    Probe(main).Documents().SaveFile(dir.File("doc.qlo"));
    EXPECT_EQ(dir.Read("doc.qlo~"), first);
    EXPECT_TRUE(dir.Read("doc.qlo").contains("three"));
}

TEST_F(DocumentCommands, OpenReadsBackWhatWasSaved) {
    TMainForm& main = StartShown();
    BuildExample(main);
    Probe(main).Documents().SaveFile(dir.File("memo.qlo"));
    Probe(main).Documents().NewMenuClick();
    EXPECT_TRUE(Outline().IsEmpty());

    dialogs.Choose(dir.File("memo.qlo"));
    Probe(main).Documents().OpenMenuClick();
    ASSERT_EQ(Outline().Count(), 3);
    EXPECT_EQ(Outline().First()->Label, QStringLiteral("計画"));
    EXPECT_TRUE(Outline().First()->Expanded());
    EXPECT_EQ(Outline().ItemAt(1)->Parent(), Outline().First());
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 0);
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Outline().First());
    EXPECT_EQ(Probe(main).Texts().EditorText(), "first\nsecond");
    EXPECT_FALSE(Probe(main).Session().Modified);
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"RecentFile1"), dir.File("memo.qlo"));
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"EditFile"), dir.File("memo.qlo"));
    Probe(main).Texts().SelectItem(Outline().ItemAt(2));
    EXPECT_EQ(Probe(main).Texts().EditorText(), "x");
    Probe(main).Documents().SaveMenuClick();
    EXPECT_EQ(dir.Read("memo.qlo"), kWorkedExample);
}

TEST_F(DocumentCommands, AMalformedDocumentChangesNothing) {
    TMainForm& main = StartShown();
    Probe(main).Texts().SetEditorText("keep me");
    dir.Write("bad.qlo", "qlm oe data form 1.3\r\nTree=2,0=0,1=0\r\nnil:a:0\r\n7:b:0\r\n");
    Probe(main).Session().Modified = true;
    EXPECT_FALSE(
        Probe(main).Errors().Run([&] { Probe(main).Documents().LoadFile(dir.File("bad.qlo")); }));
    EXPECT_EQ(Outline().Count(), 1);
    EXPECT_EQ(Probe(main).Texts().EditorText(), "keep me");
    EXPECT_TRUE(Probe(main).Session().Modified);

    boxes.shown.clear();
    dialogs.Choose(dir.File("bad.qlo"));
    Probe(main).Documents().OpenMenuClick();
    EXPECT_EQ(boxes.shown.size(), 1) << "reported before the save question";
    EXPECT_EQ(Probe(main).Texts().EditorText(), "keep me");
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"RecentFile1"), "nil");
}

TEST_F(DocumentCommands, LoadingAMissingFileWarnsAndKeepsTheDocument) {
    TMainForm& main = StartShown();
    Probe(main).Texts().SetEditorText("mine");
    EXPECT_FALSE(Probe(main).Documents().LoadFile(dir.File("missing.qlo")));
    EXPECT_EQ(boxes.Texts(),
              QStringList({QStringLiteral("ファイルが存在しません。読み込みを中断します。")}));
    EXPECT_EQ(Probe(main).Texts().EditorText(), "mine");
}

// Discarding the outline is no change that can be undone: New leaves nothing to undo.
TEST_F(DocumentCommands, NewStartsAnEmptyUndoHistory) {
    TMainForm& main = StartShown();
    Probe(main).Items().AddItem();
    ASSERT_TRUE(Probe(main).Session().History.CanUndo());
    boxes.Answer(Answer::No);
    Probe(main).Documents().NewMenuClick();
    EXPECT_FALSE(Probe(main).Session().History.CanUndo());
    Probe(main).Items().Undo();
    EXPECT_TRUE(Outline().IsEmpty());
}

TEST_F(DocumentCommands, NewAsksBeforeDiscardingChangesAndShowsTheGuidance) {
    TMainForm& main = StartShown();
    Probe(main).Texts().SetEditorText("unsaved");
    boxes.Answer(Answer::Cancel);
    Probe(main).Documents().NewMenuClick();
    EXPECT_EQ(Outline().Count(), 1);
    EXPECT_EQ(Probe(main).Texts().EditorText(), "unsaved");

    boxes.Answer(Answer::Yes);               // save ...
    Probe(main).Documents().NewMenuClick();  // ... but the Save As dialog is cancelled
    EXPECT_EQ(Probe(main).Texts().EditorText(), "unsaved");

    boxes.Answer(Answer::No);
    Probe(main).Documents().NewMenuClick();
    EXPECT_TRUE(Outline().IsEmpty());
    EXPECT_EQ(
        Probe(main).Texts().EditorText(),
        QStringLiteral("項目が追加されていません。\n"
                       "項目を「brother」ボタンで追加してから、文章の編集を行ってください。"));
    EXPECT_FALSE(Probe(main).Session().Modified);
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"EditFile"), "nil");

    boxes.shown.clear();
    Probe(main).Documents().SaveMenuClick();
    EXPECT_EQ(boxes.Texts(), QStringList({QStringLiteral("編集中の文章に、内容がありません")}));
    Probe(main).Items().AddItem();
    EXPECT_EQ(Probe(main).Texts().EditorText(), "") << "the notice goes with the first item";
    Probe(main).Items().Undo();
    EXPECT_TRUE(Outline().IsEmpty());
    EXPECT_TRUE(
        Probe(main).Texts().EditorText().startsWith(QStringLiteral("項目が追加されていません。")))
        << "taking the first item back brings the notice back";
    Probe(main).Items().Redo();
    ASSERT_EQ(Outline().Count(), 1);
    EXPECT_EQ(Probe(main).Texts().EditorText(), "");
}

// The caption names the document that is open, whichever way it came, and none after New.
TEST_F(DocumentCommands, TheCaptionNamesTheLoadedDocumentAndNoneAfterNew) {
    WriteSettings({"iniFileVer=1.06", "AutoLoad=0"});
    dir.Write("first.qlo", "qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:a:0\r\nold\r\n");
    dir.Write("second.qlo", "qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:b:0\r\nold\r\n");
    TMainForm& main = StartShown({dir.File("first.qlo")});
    EXPECT_EQ(main.windowTitle(), QStringLiteral("brisbeck outline editor 1.08  [ first.qlo ]"));
    Probe(main).Documents().RecentFile(dir.File("second.qlo"));
    Probe(main).Documents().RecentFileMenuClick(1);
    EXPECT_EQ(main.windowTitle(), QStringLiteral("brisbeck outline editor 1.08  [ second.qlo ]"));
    Probe(main).Documents().NewMenuClick();
    EXPECT_EQ(main.windowTitle(), QStringLiteral("brisbeck outline editor 1.08"));
}

TEST_F(DocumentCommands, CloseWithAutoSaveSavesSilently) {
    WriteSettings({"iniFileVer=1.06", "AutoLoad=0", "AutoSave=1"});
    dir.Write("auto.qlo", "qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:a:0\r\nold\r\n");
    TMainForm& main = StartShown({dir.File("auto.qlo")});
    Probe(main).Texts().SetEditorText("saved at exit");
    main.close();
    EXPECT_FALSE(main.isVisible());
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(dir.Read("auto.qlo").contains("saved at exit"));
}

TEST_F(DocumentCommands, AFailedSaveKeepsTheWindowOpenAndTheOldFile) {
    TMainForm& main = StartShown();
    Probe(main).Documents().SaveFile(dir.File("doc.qlo"));
    const QByteArray before = dir.Read("doc.qlo");
    Probe(main).Texts().SetEditorText("changed");
    QDir().mkpath(dir.File("locked"));
    boxes.Answer(Answer::Yes);
    boxes.Answer(Answer::Yes);
    Probe(main).Session().Settings.SetValue(u"EditFile", dir.File("locked/missing-folder/doc.qlo"));
    main.close();
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(Probe(main).Session().Modified);
    EXPECT_EQ(dir.Read("doc.qlo"), before);
}

TEST_F(DocumentCommands, UnencodableCharactersAreNamedBeforeSaving) {
    TMainForm& main = StartShown();
    Probe(main).Texts().SetEditorText(QString::fromUtf16(u"emoji 😀"));
    boxes.Answer(Answer::No);
    EXPECT_FALSE(Probe(main).Documents().SaveFile(dir.File("emoji.qlo")));
    EXPECT_FALSE(QFile::exists(dir.File("emoji.qlo")));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.contains(QString::fromUtf16(u"😀")));
    EXPECT_TRUE(Probe(main).Session().Modified);
}

TEST_F(DocumentCommands, AFileAnotherProgramChangedIsOverwrittenOnlyWhenTheUserSaysSo) {
    const QString changed =
        QStringLiteral("ファイルが他のプログラムによって変更されています。上書きしますか？");
    dir.Write("doc.qlo", kWorkedExample);
    TMainForm& main = StartShown();
    ASSERT_TRUE(Probe(main).Documents().LoadFile(dir.File("doc.qlo")));
    Probe(main).Texts().SetEditorText("mine");
    dir.Write("doc.qlo", "theirs");

    boxes.Answer(Answer::Cancel);
    EXPECT_FALSE(Probe(main).Documents().SaveFile(dir.File("doc.qlo")));
    EXPECT_EQ(boxes.Texts(), QStringList({changed}));
    EXPECT_EQ(boxes.shown[0].kind, TMessageBoxes::Kind::Confirmation);
    EXPECT_EQ(dir.Read("doc.qlo"), "theirs");

    boxes.Answer(Answer::No);  // saves under another name
    dialogs.Choose(dir.File("other.qlo"));
    EXPECT_TRUE(Probe(main).Documents().SaveFile(dir.File("doc.qlo")));
    EXPECT_EQ(dir.Read("doc.qlo"), "theirs");
    EXPECT_TRUE(dir.Read("other.qlo").contains("mine"));
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"EditFile"), dir.File("other.qlo"));

    boxes.shown.clear();
    EXPECT_TRUE(Probe(main).Documents().SaveFile(dir.File("doc.qlo"))) << "not the file last saved";
    EXPECT_TRUE(Probe(main).Documents().SaveFile(dir.File("doc.qlo"))) << "unchanged since";
    dir.Write("doc.qlo", "theirs again");
    boxes.Answer(Answer::Yes);
    EXPECT_TRUE(Probe(main).Documents().SaveFile(dir.File("doc.qlo")));
    EXPECT_EQ(boxes.Texts(), QStringList({changed}));
    EXPECT_TRUE(dir.Read("doc.qlo").contains("mine"));

    QFile::remove(dir.File("doc.qlo"));
    EXPECT_TRUE(Probe(main).Documents().SaveFile(dir.File("doc.qlo")));
    EXPECT_EQ(boxes.Texts(), QStringList({changed})) << "a deleted file is written again";
    EXPECT_TRUE(dir.Read("doc.qlo").contains("mine"));
}

TEST_F(DocumentCommands, ASaveThatMayNotAskDeclinesWhatItWouldAsk) {
    using Questions = TDocumentCommands::Questions;
    TMainForm& main = StartShown();
    ASSERT_TRUE(Probe(main).Documents().SaveFile(dir.File("doc.qlo"), Questions::Never));
    Probe(main).Texts().SetEditorText(QString::fromUtf16(u"emoji 😀"));
    EXPECT_FALSE(Probe(main).Documents().SaveFile(dir.File("doc.qlo"), Questions::Never));
    Probe(main).Texts().SetEditorText("plain");
    dir.Write("doc.qlo", "theirs");
    EXPECT_FALSE(Probe(main).Documents().SaveFile(dir.File("doc.qlo"), Questions::Never));
    EXPECT_EQ(dir.Read("doc.qlo"), "theirs");
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.Texts().join(u'\n').toStdString();
    EXPECT_TRUE(Probe(main).Session().Modified);
    EXPECT_EQ(dialogs.asked, 0);
}

TEST_F(DocumentCommands, TheFirstArgumentIsLoadedWhateverAutoLoadSays) {
    TempDir other;
    other.Write("arg doc.qlo", kWorkedExample);
    TMainForm& main = Start({other.File("arg doc.qlo"), "ignored"});
    EXPECT_EQ(Outline().Count(), 3);
    EXPECT_FALSE(Probe(main).Session().AutoLoadOn);
    Probe(main).Documents().AutoLoadMenuClick();
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"AutoLoad"), "1");
}

TEST_F(DocumentCommands, AutomaticLoadingOfAMissingFileInformsOnce) {
    WriteSettings({"iniFileVer=1.06", "AutoLoad=1", "EditFile=" + dir.File("gone.qlo")});
    TMainForm& main = Start();
    EXPECT_EQ(boxes.Texts(),
              QStringList({QStringLiteral(
                  "前回開いていたファイルがありません。自動読み込みを中止します。")}));
    EXPECT_EQ(Outline().Count(), 1);
    EXPECT_TRUE(Probe(main).Session().AutoLoadOn);
}

TEST_F(DocumentCommands, ADocumentInAFolderCodePage932CannotNameOpensAgainAfterARestart) {
    const QString folder = dir.File(QString::fromUtf16(u"旅行😀"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/memo.qlo");
    TMainForm& main = StartShown();
    BuildExample(main);
    ASSERT_TRUE(Probe(main).Documents().SaveFile(path));
    ASSERT_TRUE(Probe(main).Documents().LoadFile(path));
    Probe(main).Session().Settings.SetValue(u"AutoLoad", QStringLiteral("1"));
    main.close();

    TMainForm& again = StartShown();
    EXPECT_TRUE(boxes.Texts().isEmpty()) << boxes.Texts().join(u'\n').toStdString();
    EXPECT_EQ(Probe(again).Session().Settings.Value(u"EditFile"), path);
    EXPECT_EQ(Probe(again).Session().Settings.Value(u"RecentFile1"), path);
    ASSERT_EQ(Outline().Count(), 3);
    EXPECT_EQ(Outline().First()->Label, QStringLiteral("計画"));
}

TEST_F(DocumentCommands, RecentFileCommandLoadsAndStartsTheRedrawTimer) {
    dir.Write("recent.qlo", kWorkedExample);
    TMainForm& main = StartShown();
    Probe(main).Session().Settings.SetValue(u"RecentFile3", dir.File("recent.qlo"));
    Probe(main).Documents().RecentFileMenuClick(3);
    EXPECT_EQ(Outline().Count(), 3);
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"RecentFile1"), dir.File("recent.qlo"));
    EXPECT_TRUE(main.Timer.isActive());
}

}  // namespace

namespace {

// Open and a recent-file entry on the document being edited: "はい" saves the edits
// into that file, and what is loaded then is what was just saved.
TEST_F(DocumentCommands, LoadingTheDocumentBeingEditedKeepsTheEditsSavedFirst) {
    TMainForm& main = StartShown();
    Probe(main).Documents().SaveFile(dir.File("doc.qlo"));
    Probe(main).Documents().RecentFile(dir.File("doc.qlo"));
    for (const QString edit : {"through open", "through the recent list"}) {
        Probe(main).Texts().SetEditorText(edit);
        boxes.Answer(Answer::Yes);  // save
        boxes.Answer(Answer::Yes);  // overwrite
        if (edit == "through open") {
            dialogs.Choose(dir.File("doc.qlo"));
            Probe(main).Documents().OpenMenuClick();
        } else {
            Probe(main).Documents().RecentFileMenuClick(1);
        }
        EXPECT_EQ(Probe(main).Texts().EditorText(), edit);
        EXPECT_FALSE(Probe(main).Session().Modified);
        Probe(main).Documents().SaveFile(dir.File("doc.qlo"));
        EXPECT_TRUE(dir.Read("doc.qlo").contains(edit.toLatin1())) << edit.toStdString();
    }
}

}  // namespace

namespace {

// Bytes code page 932 cannot map, and codes it reads in two forms, survive an open and a
// save without a question; an edited text keeps them too.
TEST_F(DocumentCommands, EveryByteOfADocumentSurvivesOpenAndSave) {
    const QByteArray head =
        "qlm oe data form "
        "1.3\r\nTree=2,0=2,1=1\r\nnil:\x80label\xA0\x81:1\r\n0:b\x85\x40\xFA\x5B:0\r\n";
    const QByteArray texts = "\x87\x9A\xFD\xFE\xFF\r\n\x81\r\n\x85\x40\x81\r\n";
    dir.Write("odd.qlo", head + texts);
    TMainForm& main = StartShown();
    ASSERT_TRUE(Probe(main).Documents().LoadFile(dir.File("odd.qlo")));
    Probe(main).Documents().SaveFile(dir.File("odd.qlo"));
    EXPECT_EQ(dir.Read("odd.qlo"), head + texts);

    Probe(main).Texts().SelectItem(Outline().ItemAt(1));
    main.Editor->moveCursor(QTextCursor::End);
    main.Editor->insertPlainText("\nnew");
    Probe(main).Texts().SelectItem(Outline().ItemAt(0));
    Probe(main).Documents().SaveFile(dir.File("odd.qlo"));
    QByteArray edited = head + texts + "new\r\n";
    edited.replace("1=1", "1=2");
    EXPECT_EQ(dir.Read("odd.qlo"), edited);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.Texts().join(u'\n').toStdString();
}

}  // namespace

// The texts of an opened document reach their files on a thread of their own: a save
// and the end of the program while that runs still take every text, and leave nothing.
namespace {
TEST_F(DocumentCommands, SaveAndCloseWhileTheTextsAreStillBeingWritten) {
    QByteArray tree = "Tree=3000", items, texts;
    for (int k = 0; k < 3000; ++k) {
        tree += "," + QByteArray::number(k) + "=2";
        items += "nil:item " + QByteArray::number(k) + ":0\r\n";
        texts += "text of " + QByteArray::number(k) + "\r\n\x82\xA0\r\n";
    }
    const QByteArray document = "qlm oe data form 1.3\r\n" + tree + "\r\n" + items + texts;
    dir.Write("big.qlo", document);
    TMainForm& main = StartShown();
    ASSERT_TRUE(Probe(main).Documents().LoadFile(dir.File("big.qlo")));
    ASSERT_TRUE(Probe(main).Documents().SaveFile(dir.File("copy.qlo")));
    EXPECT_EQ(dir.Read("copy.qlo"), document);
    form->close();
    EXPECT_TRUE(QDir(dir.File("Data")).entryList({"*.tmp"}).isEmpty())
        << "item files were left behind";
}
}  // namespace
