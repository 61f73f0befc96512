#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"

namespace {

using Answer = TMessageBoxes::Answer;

const QString kSaveQuestion = QStringLiteral("編集中のファイルを保存しますか？");
const QString kOverwriteQuestion = QStringLiteral("上書きします。よろしいですか？");

class CloseQuery : public MainFormFixture {
  protected:
    TMainForm& StartWith(const QString& autoSave, const QString& editFile) {
        WriteSettings({"iniFileVer=1.06", "AutoSave=" + autoSave});
        // A document path for saving comes only with a loaded document.
        if (editFile == "nil") return StartModified({});
        dir.Write(QFileInfo(editFile).fileName(),
                  "qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:a:0\r\nold\r\n");
        return StartModified({editFile});
    }
    TMainForm& StartModified(const QStringList& arguments) {
        TMainForm& main = StartShown(arguments);
        Probe(main).Session().Modified = true;
        return main;
    }
};

TEST_F(CloseQuery, UnchangedDocumentClosesWithoutQuestions) {
    TMainForm& main = StartWith("0", "nil");
    Probe(main).Session().Modified = false;
    EXPECT_TRUE(Probe(main).Lifecycle().FormCloseQuery());
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(dialogs.asked, 0);
}

TEST_F(CloseQuery, NoClosesWithoutSaving) {
    TMainForm& main = StartWith("0", "nil");
    boxes.Answer(Answer::No);
    EXPECT_TRUE(Probe(main).Lifecycle().FormCloseQuery());
    EXPECT_EQ(boxes.Texts(), QStringList({kSaveQuestion}));
    EXPECT_EQ(dialogs.asked, 0);
}

TEST_F(CloseQuery, CancelKeepsTheWindowAndItsState) {
    TMainForm& main = StartWith("0", "nil");
    boxes.Answer(Answer::Cancel);
    main.close();
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(Probe(main).Session().Modified);
}

TEST_F(CloseQuery, YesWithoutAFileRunsSaveAsAndACancelledDialogKeepsTheWindowOpen) {
    TMainForm& main = StartWith("0", "nil");
    boxes.Answer(Answer::Yes);
    EXPECT_FALSE(Probe(main).Lifecycle().FormCloseQuery());
    EXPECT_EQ(dialogs.asked, 1);
    EXPECT_TRUE(Probe(main).Session().Modified);
}

TEST_F(CloseQuery, CancelInTheOverwriteQuestionKeepsTheWindow) {
    TMainForm& main = StartWith("0", dir.File("doc.qlo"));
    boxes.Answer(Answer::Yes);
    boxes.Answer(Answer::Cancel);
    EXPECT_FALSE(Probe(main).Lifecycle().FormCloseQuery());
    EXPECT_EQ(boxes.Texts(), QStringList({kSaveQuestion, kOverwriteQuestion}));
}

TEST_F(CloseQuery, NoInTheOverwriteQuestionRunsSaveAs) {
    TMainForm& main = StartWith("0", dir.File("doc.qlo"));
    boxes.Answer(Answer::Yes);
    boxes.Answer(Answer::No);
    EXPECT_FALSE(Probe(main).Lifecycle().FormCloseQuery());  // the dialog is cancelled
    EXPECT_EQ(dialogs.asked, 1);
}

TEST_F(CloseQuery, AutoSaveWithoutAFileRunsSaveAsAndACancelledDialogKeepsTheWindowOpen) {
    TMainForm& main = StartWith("1", "nil");
    EXPECT_FALSE(Probe(main).Lifecycle().FormCloseQuery());
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_EQ(dialogs.asked, 1);
}

TEST_F(CloseQuery, AnEmptyOutlineClosesWithAutoSaveOn) {
    for (const QString& editFile : {QStringLiteral("nil"), dir.File("doc.qlo")}) {
        TMainForm& main = StartWith("1", editFile);
        Probe(main).Session().Modified = false;
        Probe(main).Documents().NewMenuClick();
        QTest::keyClicks(main.Editor, "x");  // into the notice of the empty outline
        ASSERT_TRUE(Probe(main).Session().Modified);
        EXPECT_TRUE(Probe(main).Lifecycle().FormCloseQuery()) << editFile.toStdString();
        EXPECT_TRUE(boxes.shown.isEmpty());
        EXPECT_EQ(dialogs.asked, 0);
        TearDown();
    }
}

TEST_F(CloseQuery, UnknownAutoSaveValueAsksLikeZero) {
    for (const QString value : {"2", "", "yes"}) {
        TMainForm& main = StartWith(value, "nil");
        boxes.Answer(Answer::Cancel);
        EXPECT_FALSE(Probe(main).Lifecycle().FormCloseQuery()) << value.toStdString();
        EXPECT_EQ(boxes.Texts().last(), kSaveQuestion);
        TearDown();
    }
}

}  // namespace

namespace {

// A signal or the end of the desktop session: nobody answers questions. With automatic
// saving and a file the document is saved; otherwise the work stays for the next start.
TEST_F(CloseQuery, AnEndNobodyCanAnswerSavesOrKeepsTheWorkWithoutABox) {
    for (const QString autoSave : {"1", "0"}) {
        dir.Write("doc.qlo", "qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:a:0\r\nold\r\n");
        TMainForm& main = StartWith(autoSave, dir.File("doc.qlo"));
        Probe(main).Session().Modified = false;
        ASSERT_TRUE(Probe(main).Documents().LoadFile(dir.File("doc.qlo")));
        Probe(main).Texts().SetEditorText("new");
        main.EndWithoutQuestions();
        EXPECT_TRUE(Probe(main).Lifecycle().FormCloseQuery());
        Probe(main).Lifecycle().FormClose();
        EXPECT_TRUE(boxes.shown.isEmpty()) << autoSave.toStdString();
        const bool saved = autoSave == "1";
        EXPECT_EQ(dir.Read("doc.qlo").contains("new"), saved);
        EXPECT_EQ(QFile::exists(dir.File("Data/Hedgerow.recovery")), !saved);
        EXPECT_EQ(QDir(dir.File("Data")).entryList({"*.tmp"}).isEmpty(), saved);
        TearDown();
        QFile::remove(dir.File("Data/Hedgerow.recovery"));
        for (const QString& name : QDir(dir.File("Data")).entryList({"*.tmp"}))
            QFile::remove(dir.File("Data/" + name));
    }
}

}  // namespace
