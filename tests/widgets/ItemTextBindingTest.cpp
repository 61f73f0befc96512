#include <QLineEdit>
#include <QTextBlock>
#include <QTextLayout>

#include "support/FileSizeLimit.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"

namespace {

class ItemTextBinding : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06"});
    }
};

TEST_F(ItemTextBinding, TypedTextSurvivesSelectingAwayAndBack) {
    TMainForm& main = StartShown();
    TOutlineItem* second = AddTopLevelItem("second");
    TOutlineItem* first = Outline().First();
    ASSERT_EQ(Probe(main).Session().CurrentItemIndex, 0);

    main.Editor->setFocus();
    QTest::keyClicks(main.Editor, QStringLiteral("abc"));
    QTest::keyClick(main.Editor, Qt::Key_Return);
    main.Editor->insertPlainText(QStringLiteral("日本語"));
    EXPECT_TRUE(Probe(main).Session().Modified);
    Probe(main).Session().Modified = false;

    Probe(main).Texts().SelectItem(second);
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 1);
    EXPECT_EQ(Probe(main).Texts().EditorText(), QString());
    EXPECT_EQ(dir.Read("Data/0.tmp"), QByteArray("abc\r\n\x93\xfa\x96\x7b\x8c\xea\r\n"));
    EXPECT_FALSE(QFile::exists(dir.File("Data/1.tmp")));

    Probe(main).Texts().SelectItem(first);
    EXPECT_EQ(Probe(main).Texts().EditorText(), QString::fromUtf16(u"abc\n日本語"));
    EXPECT_TRUE(QFile::exists(dir.File("Data/1.tmp")));
    EXPECT_FALSE(Probe(main).Session().Modified);
    EXPECT_TRUE(Probe(main).Skin().SkipNextLayout);
}

TEST_F(ItemTextBinding, ShiftEnterIsALineBreakOfTheItemText) {
    TMainForm& main = StartShown();
    TOutlineItem* second = AddTopLevelItem("second");
    main.Editor->setFocus();
    QTest::keyClicks(main.Editor, QStringLiteral("a"));
    QTest::keyClick(main.Editor, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(main.Editor, QStringLiteral("b"));
    Probe(main).Texts().SelectItem(second);
    EXPECT_EQ(dir.Read("Data/0.tmp"), QByteArray("a\r\nb\r\n"));
}

// A full disk: the item's file keeps its previous text, and the selection, the editor
// and CurrentItemIndex stay together on the item whose text could not be stored.
TEST_F(ItemTextBinding, AFailedStoreKeepsTheFileAndTheSelection) {
    TMainForm& main = StartShown();
    TOutlineItem* first = Outline().First();
    TOutlineItem* second = AddTopLevelItem("second");
    Probe(main).Texts().SetEditorText("old");
    Probe(main).Texts().SelectItem(second);
    Probe(main).Texts().SelectItem(first);
    const QString typed(200, u'x');
    Probe(main).Texts().SetEditorText(typed);

    {
        const FileSizeLimit limit(16);  // a full disk
        Probe(main).Texts().SelectItem(second);
    }

    EXPECT_EQ(boxes.Texts().size(), 1);
    EXPECT_EQ(dir.Read("Data/0.tmp"), QByteArray("old\r\n"));
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), first);
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 0);
    EXPECT_EQ(Probe(main).Texts().EditorText(), typed);
    EXPECT_TRUE(main.Editor->isVisible());

    Probe(main).Texts().SelectItem(second);  // room again
    EXPECT_EQ(dir.Read("Data/0.tmp"), typed.toLatin1() + "\r\n");
    EXPECT_EQ(QDir(dir.File("Data")).entryList({"*.tmp"}), QStringList({"0.tmp", "1.tmp"}));
}

// A huge text is laid out once: its document waits while another item is shown, and
// comes back with the text stored, the editor's present font, the caret at the start and
// no undo into the other item's text.
TEST_F(ItemTextBinding, AHugeTextComesBackInTheDocumentItLeft) {
    TMainForm& main = StartShown();
    TOutlineItem* first = Outline().First();
    TOutlineItem* second = AddTopLevelItem("second");
    const QString huge =
        (QString(1023, u'x') + u'\n').repeated(TItemTextBinding::kKeptTextLimit / 1024 + 1);
    Probe(main).Texts().SetEditorText(huge);
    const QTextDocument* hugeDocument = main.Editor->document();
    Probe(main).Texts().SelectItem(second);
    main.Editor->setFocus();
    QTest::keyClicks(main.Editor, QStringLiteral("b"));

    Probe(main).Texts().SelectItem(first);
    EXPECT_EQ(main.Editor->document(), hugeDocument);
    EXPECT_EQ(Probe(main).Texts().EditorText(), huge);
    EXPECT_EQ(dir.Read("Data/1.tmp"), QByteArray("b\r\n"));
    main.Editor->setFocus();
    QTest::keyClick(main.Editor, Qt::Key_A);  // at the start

    Probe(main).Texts().SelectItem(second);
    QFont font = main.Editor->font();
    font.setPixelSize(31);
    main.Editor->setFont(font);
    Probe(main).Texts().SelectItem(first);
    EXPECT_EQ(main.Editor->document(), hugeDocument);
    EXPECT_EQ(main.Editor->document()->defaultFont().pixelSize(), 31);
    EXPECT_EQ(Probe(main).Texts().EditorText(), u'a' + huge);
    EXPECT_EQ(Probe(main).Session().Store.Load(first->ItemNumber), u'a' + huge);
    EXPECT_EQ(main.Editor->textCursor().position(), 0);
    EXPECT_FALSE(main.Editor->document()->isUndoAvailable());
    EXPECT_FALSE(main.Editor->document()->isModified());
}

// A huge text shows its beginning at once; the whole follows on its own, or at once when
// the user types, and the first key lands in the whole text. Nothing of this is a change.
class HugeItemText : public ItemTextBinding {
  protected:
    static constexpr qsizetype kLines = TItemTextBinding::kKeptTextLimit / 1024 + 1;
    const QString huge = (QString(1023, u'x') + u'\n').repeated(kLines).chopped(1);

    TOutlineItem* ShowHugeItem(TMainForm& main) {
        TOutlineItem* second = AddTopLevelItem("second");
        dir.Write("Data/1.tmp", (QByteArray(1023, 'x') + "\r\n").repeated(kLines));
        Probe(main).Session().Modified = false;
        Probe(main).Texts().SelectItem(second);
        return second;
    }
    static qsizetype ShownCharacters(TMainForm& main) {
        return main.Editor->document()->characterCount() - 1;
    }
    // Types "a" into the editor with the caret at position.
    static void TypeAt(TMainForm& main, int position) {
        QTextCursor caret = main.Editor->textCursor();
        caret.setPosition(position);
        main.Editor->setTextCursor(caret);
        main.Editor->setFocus();
        QTest::keyClick(main.Editor, Qt::Key_A);
    }
};

TEST_F(HugeItemText, ItsBeginningShowsFirstAndTheWholeFollows) {
    TMainForm& main = StartShown();
    ShowHugeItem(main);
    EXPECT_LT(ShownCharacters(main), huge.size());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ShownCharacters(main) == huge.size(); }, 10'000));
    EXPECT_FALSE(Probe(main).Session().Modified);
}

TEST_F(HugeItemText, TheFirstKeyLandsInTheWholeText) {
    TMainForm& main = StartShown();
    TOutlineItem* item = ShowHugeItem(main);
    ASSERT_LT(ShownCharacters(main), huge.size());
    TypeAt(main, 2000);
    EXPECT_EQ(Probe(main).Texts().TextNotInFile(item), huge.left(2000) + u'a' + huge.mid(2000));
    EXPECT_TRUE(Probe(main).Session().Modified);
}

TEST_F(HugeItemText, LeftWhileOnlyItsBeginningShowsItComesBackWhole) {
    TMainForm& main = StartShown();
    TOutlineItem* item = ShowHugeItem(main);
    ASSERT_LT(ShownCharacters(main), huge.size());
    Probe(main).Texts().SelectItem(Outline().First());
    EXPECT_FALSE(main.Editor->isReadOnly());
    Probe(main).Texts().SelectItem(item);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ShownCharacters(main) == huge.size(); }, 10'000));
    EXPECT_EQ(dir.Read("Data/1.tmp").size(), 1025 * kLines);
}

TEST_F(HugeItemText, ALineOfMillionsOfCharactersIsTakenWholeWhenTheUserTypes) {
    TMainForm& main = StartShown();
    TOutlineItem* second = AddTopLevelItem("second");
    const QByteArray line(TItemTextBinding::kKeptTextLimit + 1, 'y');
    dir.Write("Data/1.tmp", line + "\r\n");
    Probe(main).Texts().SelectItem(second);
    ASSERT_LT(ShownCharacters(main), line.size());
    TypeAt(main, 100);
    EXPECT_EQ(Probe(main).Texts().TextNotInFile(second),
              QString::fromLatin1(line.left(100) + 'a' + line.mid(100)));
    Probe(main).Texts().SelectItem(Outline().First());  // not laid out again on its way out
    EXPECT_EQ(main.Editor->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
}

// Shown without a preview, a text with a long line keeps that line's layout as well.
TEST_F(HugeItemText, ALongLineInAnyTextKeepsItsLayout) {
    TMainForm& main = StartShown();
    TOutlineItem* second = AddTopLevelItem("second");
    dir.Write("Data/1.tmp", QByteArray(TTextPreview::kLongLine + 1, 'y') + "\r\n");
    Probe(main).Texts().SelectItem(second);
    EXPECT_TRUE(main.Editor->document()->firstBlock().layout()->cacheEnabled());
}

// A search of the whole outline reads an unchanged text from its file: asking the
// editor for it would lay a huge line out and freeze the window.
TEST_F(HugeItemText, AnUnchangedTextIsNeverTakenFromTheEditorButWhatNeedsItGetsTheWhole) {
    TMainForm& main = StartShown();
    TOutlineItem* item = ShowHugeItem(main);
    ASSERT_LT(ShownCharacters(main), huge.size());
    EXPECT_EQ(Probe(main).Texts().TextNotInFile(item), std::nullopt);
    EXPECT_LT(ShownCharacters(main), huge.size()) << "the search waited for the whole text";
    EXPECT_EQ(Probe(main).Texts().EditorText(), huge);
}

TEST_F(ItemTextBinding, SelectionChangesNeverMarkTheDocumentChanged) {
    TMainForm& main = StartShown();
    AddTopLevelItem("b");
    AddTopLevelItem("c");
    Probe(main).Texts().SetEditorText("text of a");
    Probe(main).Session().Modified = false;
    for (int round = 0; round < 3; ++round)
        for (int i : {1, 2, 0}) Probe(main).Texts().SelectItem(Outline().ItemAt(i));
    EXPECT_FALSE(Probe(main).Session().Modified);
    EXPECT_EQ(Probe(main).Texts().EditorText(), QStringLiteral("text of a"));
}

TEST_F(ItemTextBinding, CharactersOutsideCodePage932SurviveSelectionChanges) {
    TMainForm& main = StartShown();
    AddTopLevelItem("b");
    const QString text = QString::fromUtf16(u"emoji 😀 and 𠮷, wave dash \u301C\n\nlast");
    Probe(main).Texts().SetEditorText(text);
    Probe(main).Texts().SelectItem(Outline().ItemAt(1));
    Probe(main).Texts().SelectItem(Outline().ItemAt(0));
    EXPECT_EQ(Probe(main).Texts().EditorText(), text);
}

TEST_F(ItemTextBinding, WithASingleItemTheTextStaysInTheEditorOnly) {
    TMainForm& main = StartShown();
    Probe(main).Texts().SetEditorText("only here");
    Probe(main).Texts().SelectItem(nullptr);
    Probe(main).Texts().SelectItem(Outline().First());
    EXPECT_EQ(Probe(main).Texts().EditorText(), QStringLiteral("only here"));
    EXPECT_FALSE(QFile::exists(dir.File("Data/0.tmp")));
}

TEST_F(ItemTextBinding, ItemNumbersSkipExistingFiles) {
    TMainForm& main = StartShown();
    dir.Write("Data/1.tmp", "foreign");
    dir.Write("Data/2.tmp", "foreign");
    EXPECT_EQ(Probe(main).Session().AllocateItemNumber(), 3);
    EXPECT_EQ(Probe(main).Session().NextItemNumber, 4);
    EXPECT_EQ(dir.Read("Data/1.tmp"), QByteArray("foreign"));
}

TEST_F(ItemTextBinding, LoadingSkipsTheNumbersOfExistingFiles) {
    TMainForm& main = StartShown();
    dir.Write("Data/2.tmp", "foreign");
    dir.Write("Data/4.tmp", "foreign");
    const QString path = dir.File("memo.qlo");
    dir.Write("memo.qlo",
              "qlm oe data form "
              "1.3\r\nTree=3,0=1,1=1,2=1\r\nnil:a:0\r\nnil:b:0\r\nnil:c:0\r\nA\r\nB\r\nC\r\n");
    Probe(main).Session().NextItemNumber = 1;
    ASSERT_TRUE(Probe(main).Documents().LoadFile(path));
    QList<int> numbers;
    Outline().ForEach([&](TOutlineItem* item) { numbers << item->ItemNumber; });
    EXPECT_EQ(numbers, QList<int>({1, 3, 5}));
    EXPECT_EQ(Probe(main).Session().NextItemNumber, 6);
    Probe(main).Session().Store.FinishWriting();  // the texts reach their files behind the opening
    EXPECT_EQ(dir.Read("Data/2.tmp"), QByteArray("foreign"));
    EXPECT_EQ(dir.Read("Data/3.tmp"), QByteArray("B\r\n"));
}

TEST_F(ItemTextBinding, StoringIntoAMissingFolderShowsTheErrorBox) {
    TMainForm& main = StartShown();
    AddTopLevelItem("b");
    QDir(dir.File("Data")).removeRecursively();
    Probe(main).Texts().SelectItem(Outline().ItemAt(1));
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].plain);
    EXPECT_TRUE(
        boxes.shown[0].text.endsWith(QStringLiteral("を作成できません\nフォルダーがありません。")));
}

QLineEdit* OpenLabelEditor(QTreeView* tree, const QModelIndex& index) {
    tree->edit(index);
    for (QLineEdit* editor : tree->findChildren<QLineEdit*>())
        if (editor->isVisible()) return editor;
    return nullptr;
}

TEST_F(ItemTextBinding, ConfirmedLabelEditsMarkTheDocumentChangedEscapeDoesNot) {
    TMainForm& main = StartShown();
    const QModelIndex index = main.TreeModel->IndexOf(Outline().First());

    QLineEdit* editor = OpenLabelEditor(main.Tree, index);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "renamed");
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();  // the view closes its editor through a queued call
    EXPECT_FALSE(Probe(main).Session().Modified);
    EXPECT_EQ(Outline().First()->Label, QStringLiteral("新規"));

    editor = OpenLabelEditor(main.Tree, index);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "renamed");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(Probe(main).Session().Modified);
    EXPECT_EQ(Outline().First()->Label, QStringLiteral("renamed"));
}

}  // namespace

namespace {

class OutlineClicks : public MainFormFixture {};

TEST_F(OutlineClicks, ARightClickSelectsTheItemUnderThePointer) {
    WriteSettings({"iniFileVer=1.06", "AutoLoad=0"});
    TMainForm& main = StartShown();
    TOutlineItem* second = main.TreeModel->InsertItem(nullptr, 1, QStringLiteral("second"),
                                                      Probe(main).Session().AllocateItemNumber());
    main.Tree->resize(200, 300);
    const QRect row = main.Tree->visualRect(main.TreeModel->IndexOf(second));
    QTest::mouseClick(main.Tree->viewport(), Qt::RightButton, {}, row.center());
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), second);
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 1);
}

}  // namespace
