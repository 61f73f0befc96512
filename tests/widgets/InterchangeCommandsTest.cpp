#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "app/TItemTextBinding.h"
#include "app/TOutlineView.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "ui/TCommand.h"

namespace {

using Answer = TMessageBoxes::Answer;

// Import, export and their undo in the main window, with files chosen by script.
class InterchangeCommands : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "EditFile=nil"});
    }

    // A window whose outline is "first" (text "one") and "second".
    TMainForm& Shown() {
        TMainForm& main = StartShown();
        Probe(main).Texts().SetEditorText(QStringLiteral("one"));
        form->TreeModel->SetLabel(Outline().First(), QStringLiteral("first"));
        TOutlineItem* second = AddTopLevelItem(QStringLiteral("second"));
        dir.Write(QStringLiteral("Data/%1.tmp").arg(second->ItemNumber), "");
        Probe(main).Texts().SelectItem(Outline().First());
        return main;
    }
    QString Text(TMainForm& main, const QString& label) {
        QString text;
        Outline().ForEach([&](TOutlineItem* item) {
            if (item->Label == label) text = Probe(main).Session().Store.Load(item->ItemNumber);
        });
        return text;
    }
};

TEST_F(InterchangeCommands, AnImportGoesAfterTheSelectedItemAndIsUndoneAsOneChange) {
    TMainForm& main = Shown();
    dir.Write("notes.txt", ".章\r\n章の文章\r\n..節\r\n.終わり\r\n");
    dialogs.Choose(dir.File("notes.txt"), 0);
    main.Commands().Run(TCommand::Import);
    EXPECT_EQ(Order(), "first 章 .節 終わり second");
    EXPECT_EQ(Text(main, QStringLiteral("章")), QStringLiteral("章の文章"));
    EXPECT_EQ(Probe(main).Texts().SelectedItem()->Label, QStringLiteral("章"));
    EXPECT_TRUE(Probe(main).Session().Modified);

    main.Commands().Run(TCommand::UndoOutline);
    EXPECT_EQ(Order(), "first second");
    EXPECT_EQ(Probe(main).Texts().SelectedItem()->Label, QStringLiteral("first"));
    main.Commands().Run(TCommand::RedoOutline);
    EXPECT_EQ(Order(), "first 章 .節 終わり second");
    EXPECT_EQ(Text(main, QStringLiteral("章")), QStringLiteral("章の文章"));
}

TEST_F(InterchangeCommands, AFileThatCannotBeImportedIsNamedAndChangesNothing) {
    TMainForm& main = Shown();
    dir.Write("broken.opml", "<opml version=\"2.0\"><body>\n<outline text=\"a\">\n</body>");
    dialogs.Choose(dir.File("broken.opml"), 0);
    main.Commands().Run(TCommand::Import);
    EXPECT_EQ(Order(), "first second");
    EXPECT_FALSE(Probe(main).Session().History.CanUndo());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.contains(QDir::toNativeSeparators(dir.File("broken.opml"))));
    EXPECT_TRUE(boxes.shown[0].text.contains(QStringLiteral("3 行目")));
}

TEST_F(InterchangeCommands, FilesDroppedOnAnItemAreImportedAfterIt) {
    TMainForm& main = Shown();
    dir.Write("a.md", "# A\n\ntext of A\n");
    dir.Write("b.txt", "B line\nmore\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(dir.File("a.md")), QUrl::fromLocalFile(dir.File("b.txt"))});
    const QPoint onFirst =
        main.Tree->visualRect(main.TreeModel->IndexOf(Outline().First())).center();
    // As a file manager's drag arrives: it enters, then drops.
    QDragEnterEvent enter(onFirst, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main.Tree->viewport(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(onFirst, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(main.Tree->viewport(), &drop);
    EXPECT_EQ(Order(), "first A B line second");
    EXPECT_EQ(Text(main, QStringLiteral("B line")), QStringLiteral("B line\nmore"));
    main.Commands().Run(TCommand::UndoOutline);
    EXPECT_EQ(Order(), "first second") << "both files are one change";
}

TEST_F(InterchangeCommands, AnExportWritesTheChosenPartAndAFailedOneLeavesNoFile) {
    TMainForm& main = Shown();
    Probe(main).Texts().SetEditorText(QStringLiteral("edited, not stored yet"));
    boxes.Answer(Answer::Yes);  // the selected item only
    dialogs.Choose(dir.File("first.md"), 2);
    main.Commands().Run(TCommand::Export);
    EXPECT_EQ(dir.Read("first.md"), QByteArray("# first\n\nedited, not stored yet\n\n"));

    boxes.Answer(Answer::No);  // the whole document
    dialogs.Choose(dir.File("no/such/folder/all.opml"), 3);
    main.Commands().Run(TCommand::Export);
    EXPECT_FALSE(QFile::exists(dir.File("no/such/folder/all.opml")));
    EXPECT_TRUE(boxes.shown.last().text.contains(QStringLiteral("を作成できません")));
}

TEST_F(InterchangeCommands, CharactersShiftJisCannotHoldAreAskedAboutFirst) {
    TMainForm& main = Shown();
    form->TreeModel->SetLabel(Outline().First(), QStringLiteral("絵😀"));
    boxes.Answer(Answer::No);  // the whole document
    boxes.Answer(Answer::No);  // not with "?"
    dialogs.Choose(dir.File("all.txt"), 0);
    main.Commands().Run(TCommand::Export);
    EXPECT_TRUE(boxes.shown.last().text.contains(QStringLiteral("😀")));
    EXPECT_FALSE(QFile::exists(dir.File("all.txt")));
}

}  // namespace
