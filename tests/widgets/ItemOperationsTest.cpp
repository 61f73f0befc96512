#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

#include "app/TCommandRunner.h"
#include "app/TOutlineView.h"
#include "platform/Cp932Codec.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"

namespace {

using Answer = TMessageBoxes::Answer;

// The main window with an outline built from "label:level" entries, every item's
// text being "text of <label>".
class ItemOperations : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "AutoNodeName=1", "NodeNameLimitter=0",
                       "NodeNameLimitterCount=40"});
    }

    TMainForm& Build(const QStringList& entries) {
        TMainForm& main = StartShown();
        TreeModel().RemoveItem(Outline().First());
        std::vector<TOutlineItem*> parents = {Outline().Root()};
        for (const QString& entry : entries) {
            const QString label = entry.section(u':', 0, 0);
            const int level = entry.section(u':', 1, 1).toInt();
            parents.resize(level + 1);
            TOutlineItem* parent = parents[level];
            TOutlineItem* item = TreeModel().InsertItem(parent, parent->ChildCount(), label,
                                                        Probe(main).Session().AllocateItemNumber());
            dir.Write(QStringLiteral("Data/%1.tmp").arg(item->ItemNumber),
                      ("text of " + label + "\r\n").toLatin1());
            parents.push_back(item);
        }
        Probe(main).Session().CurrentItemIndex = -1;
        Probe(main).Texts().SelectItem(Outline().First());
        Probe(main).Texts().SelectItem(nullptr);
        Probe(main).Session().CurrentItemIndex = -1;
        Probe(main).Texts().SetEditorText("text of " + Outline().First()->Label);
        Probe(main).Texts().SelectItem(Outline().First());
        Probe(main).Session().CurrentItemIndex = 0;
        Probe(main).Session().Modified = false;
        return main;
    }

    TOutlineItemModel& TreeModel() { return *form->TreeModel; }
    TOutlineItem* Item(const QString& label) {
        TOutlineItem* found = nullptr;
        Outline().ForEach([&](TOutlineItem* item) {
            if (item->Label == label) found = item;
        });
        return found;
    }
    void Select(const QString& label) { Probe(*form).Texts().SelectItem(Item(label)); }

    // Selects every item in turn and checks that each shows its own text; ends on
    // the item that was selected.
    void ExpectTextsStayWithTheirItems() {
        TOutlineItem* selected = Probe(*form).Texts().SelectedItem();
        EXPECT_EQ(Probe(*form).Session().CurrentItemIndex, Outline().AbsoluteIndexOf(selected));
        EXPECT_EQ(Probe(*form).Texts().EditorText(), "text of " + selected->Label);
        Outline().ForEach([&](TOutlineItem* item) {
            Probe(*form).Texts().SelectItem(item);
            EXPECT_EQ(Probe(*form).Texts().EditorText(), "text of " + item->Label)
                << item->Label.toStdString();
        });
        Probe(*form).Texts().SelectItem(selected);
    }
};

TEST_F(ItemOperations, AddItemAppendsAtTheEndOfTheSiblingList) {
    TMainForm& main = Build({"A:0", "A1:1", "A2:1", "B:0"});
    Select("A1");
    Probe(main).Items().AddItem();
    EXPECT_EQ(Order(), QStringLiteral("A .A1 .A2 .新規 B"));
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 3);
    EXPECT_EQ(Probe(main).Texts().EditorText(), "");
    EXPECT_TRUE(Probe(main).Session().Modified);
    EXPECT_EQ(Probe(main).Texts().SelectedItem()->SelectedIndex, 1);
    EXPECT_EQ(dir.Read(QStringLiteral("Data/%1.tmp").arg(Item("A1")->ItemNumber)),
              "text of A1\r\n");
}

TEST_F(ItemOperations, AddChildItemAppendsTheLastChildAndExpands) {
    TMainForm& main = Build({"A:0", "A1:1", "B:0"});
    Probe(main).Items().AddChildItem();
    EXPECT_EQ(Order(), QStringLiteral("A .A1 .新規 B"));
    EXPECT_TRUE(Item("A")->Expanded());
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 2);
}

TEST_F(ItemOperations, AddChildItemDoesNothingBeforeTheFirstSelection) {
    boxes.Answer(Answer::No);
    TMainForm& main = Start();
    ASSERT_EQ(Probe(main).Session().CurrentItemIndex, -1);
    Probe(main).Items().AddChildItem();
    Probe(main).Items().AddChildItemText();
    EXPECT_EQ(Outline().Count(), 1);
}

TEST_F(ItemOperations, PastingTakesTheLabelFromTheFirstLine) {
    TMainForm& main = Build({"A:0"});
    QGuiApplication::clipboard()->setText(QStringLiteral("見出しの行\n本文"));
    Probe(main).Items().AddItemText();
    EXPECT_EQ(Probe(main).Texts().SelectedItem()->Label, QStringLiteral("見出しの行"));
    EXPECT_EQ(Probe(main).Texts().EditorText(), QStringLiteral("見出しの行\n本文"));
    EXPECT_TRUE(main.Timer.isActive());
    EXPECT_TRUE(Probe(main).Session().Modified);
}

TEST_F(ItemOperations, PastingWithTheLimiterCountsBytes) {
    TMainForm& main = Build({"A:0"});
    Probe(main).Session().Settings.SetValue(u"NodeNameLimitter", "1");
    QGuiApplication::clipboard()->setText(QString(30, QChar(u'あ')));
    Probe(main).Items().AddChildItemText();
    EXPECT_EQ(Probe(main).Texts().SelectedItem()->Label, QString(20, QChar(u'あ')));
    EXPECT_EQ(Order(), QStringLiteral("A .") + QString(20, QChar(u'あ')));
}

TEST_F(ItemOperations, PastingFromAnEmptyClipboardGivesAnEmptyLabelAndText) {
    TMainForm& main = Build({"A:0"});
    QGuiApplication::clipboard()->setMimeData(new QMimeData);
    Probe(main).Items().AddItemText();
    EXPECT_EQ(Probe(main).Texts().SelectedItem()->Label, "");
    EXPECT_EQ(Probe(main).Texts().EditorText(), "");
}

TEST_F(ItemOperations, ABadLimiterCountStopsThePasteWithTheErrorBox) {
    TMainForm& main = Build({"A:0"});
    Probe(main).Session().Settings.SetValue(u"NodeNameLimitter", "1");
    Probe(main).Session().Settings.SetValue(u"NodeNameLimitterCount", "forty");
    QGuiApplication::clipboard()->setText("pasted");
    Probe(main).Items().AddItemText();
    EXPECT_EQ(boxes.Texts(), QStringList({QStringLiteral("'forty' は整数ではありません")}));
    EXPECT_EQ(Probe(main).Texts().SelectedItem()->Label, QStringLiteral("新規"));
    EXPECT_EQ(Probe(main).Texts().EditorText(), "pasted");
    EXPECT_FALSE(main.Timer.isActive());
}

TEST_F(ItemOperations, WithoutAutoNodeNameTheLabelStaysNew) {
    TMainForm& main = Build({"A:0"});
    Probe(main).Session().Settings.SetValue(u"AutoNodeName", "0");
    QGuiApplication::clipboard()->setText("pasted");
    Probe(main).Items().AddItemText();
    EXPECT_EQ(Probe(main).Texts().SelectedItem()->Label, QStringLiteral("新規"));
}

TEST_F(ItemOperations, DeleteAsksThenRefusesTheFirstItem) {
    TMainForm& main = Build({"A:0", "B:0"});
    boxes.Answer(Answer::Yes);
    Probe(main).Items().DeleteItem();
    ASSERT_EQ(boxes.shown.size(), 2);
    EXPECT_EQ(boxes.shown[0].kind, TMessageBoxes::Kind::Confirmation);
    EXPECT_EQ(boxes.shown[1].kind, TMessageBoxes::Kind::Warning);
    EXPECT_TRUE(boxes.shown[1].text.startsWith(QStringLiteral("一番上の項目は、削除できません。")));
    EXPECT_EQ(Outline().Count(), 2);
    EXPECT_FALSE(Probe(main).Session().Modified);
}

TEST_F(ItemOperations, DeleteRemovesTheSubtreeAndSelectsTheItemAbove) {
    TMainForm& main = Build({"A:0", "A1:1", "A11:2", "B:0", "B1:1", "C:0"});
    Select("B");
    Probe(main).Texts().SetEditorText("text of B");
    boxes.Answer(Answer::No);
    Probe(main).Items().DeleteItem();
    EXPECT_EQ(Outline().Count(), 6);

    boxes.Answer(Answer::Yes);
    Probe(main).Items().DeleteItem();
    EXPECT_EQ(Order(), "A .A1 ..A11 C");
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("A11"));
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 2);
    EXPECT_TRUE(Probe(main).Session().Modified);
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, MoveUpPassesTheLargerSubtree) {
    TMainForm& main = Build({"A:0", "A1:1", "B:0", "B1:1", "B2:1"});
    Select("B");
    Probe(main).Texts().SetEditorText("text of B");  // typed just before the move
    Probe(main).Session().Modified = false;
    Probe(main).Items().MoveUpItem();
    EXPECT_EQ(Order(), "B .B1 .B2 A .A1");
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("B"));
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 0);
    EXPECT_TRUE(Probe(main).Session().Modified);
    EXPECT_TRUE(Item("B")->Expanded()) << "the selection passed through its first child";
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, MoveUpAndDownAtTheEndsChangeNothing) {
    TMainForm& main = Build({"A:0", "A1:1", "B:0"});
    Probe(main).Items().MoveUpItem();
    Select("A1");
    Probe(main).Items().MoveUpItem();
    Probe(main).Items().MoveDownItem();
    Probe(main).Items().MoveRightItem();
    Select("B");
    Probe(main).Items().MoveDownItem();
    Probe(main).Items().MoveLeftItem();
    EXPECT_EQ(Order(), "A .A1 B");
    EXPECT_FALSE(Probe(main).Session().Modified);
}

TEST_F(ItemOperations, MoveDownGoesBehindTheNextSiblingsSubtree) {
    TMainForm& main = Build({"A:0", "A1:1", "B:0", "B1:1", "C:0"});
    Probe(main).Items().MoveDownItem();
    EXPECT_EQ(Order(), "B .B1 A .A1 C");
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("A"));
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 2);
    EXPECT_TRUE(Probe(main).Session().Modified);
    EXPECT_TRUE(Item("B")->Expanded()) << "the selection passed through B's last descendant";
    Probe(main).Items().MoveDownItem();
    EXPECT_EQ(Order(), "B .B1 C A .A1");
    ExpectTextsStayWithTheirItems();
}

// The outline lays its rows out again after the change, and then shows the new item.
TEST_F(ItemOperations, TheNewItemIsScrolledIntoView) {
    QStringList entries;
    for (int i = 0; i < 300; ++i) entries << QStringLiteral("I%1:0").arg(i);
    TMainForm& main = Build(entries);
    Probe(main).Items().AddItem();
    QApplication::processEvents();
    const QModelIndex added = main.TreeModel->IndexOf(Probe(main).Texts().SelectedItem());
    EXPECT_TRUE(main.Tree->viewport()->rect().contains(main.Tree->visualRect(added)));
}

TEST_F(ItemOperations, MovesKeepTheExpandedStatesOfTheSubtree) {
    TMainForm& main = Build({"A:0", "B:0", "B1:1", "B11:2", "B2:1"});
    Select("B11");
    Select("B");
    Outline().SetExpanded(Item("B1"), true);
    Probe(main).Items().MoveUpItem();
    EXPECT_EQ(Order(), "B .B1 ..B11 .B2 A");
    EXPECT_TRUE(Item("B1")->Expanded());
    EXPECT_FALSE(main.Tree->isExpanded(main.TreeModel->IndexOf(Item("A"))));
}

TEST_F(ItemOperations, MoveLeftFollowsTheFormerParentsSubtree) {
    TMainForm& main = Build({"M:0", "X:1", "X1:2", "Y:1", "Z:0"});
    Select("X");
    Probe(main).Session().Modified = false;
    Probe(main).Items().MoveLeftItem();
    EXPECT_EQ(Order(), "M .Y X .X1 Z");
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 2);
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("X"));
    EXPECT_TRUE(Probe(main).Session().Modified);
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, MoveLeftOfALastChildOnlyChangesTheLevel) {
    TMainForm& main = Build({"A:0", "M:0", "N:1", "X:2"});
    Select("X");
    Probe(main).Session().Modified = false;
    Probe(main).Items().MoveLeftItem();
    EXPECT_EQ(Order(), "A M .N .X");
    EXPECT_FALSE(Probe(main).Session().Modified);
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 3);
    Probe(main).Items().MoveLeftItem();
    EXPECT_EQ(Order(), "A M .N X") << "at the end of the outline";
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, MoveRightIntoThePreviousSibling) {
    TMainForm& main = Build({"A:0", "A1:1", "B:0", "B1:1"});
    Select("B");
    Probe(main).Items().MoveRightItem();
    EXPECT_EQ(Order(), "A .A1 .B ..B1");
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 2);
    EXPECT_TRUE(Item("A")->Expanded());
    EXPECT_TRUE(Probe(main).Session().Modified);
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, DroppingOnALabelMakesTheLastChildAndOnADescendantDoesNothing) {
    TMainForm& main = Build({"A:0", "A1:1", "B:0", "C:0"});
    main.Tree->resize(200, 300);
    Select("C");
    Probe(main).Items().TreeDragDrop(
        main.Tree->visualRect(main.TreeModel->IndexOf(Item("A"))).topLeft() + QPoint(20, 3));
    EXPECT_EQ(Order(), "A .A1 .C B");
    EXPECT_TRUE(Probe(main).Session().Modified);
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 2);

    Select("A");
    Probe(main).Session().Modified = false;
    Probe(main).Items().TreeDragDrop(
        main.Tree->visualRect(main.TreeModel->IndexOf(Item("C"))).topLeft() + QPoint(20, 3));
    EXPECT_EQ(Order(), "A .A1 .C B");
    EXPECT_TRUE(Probe(main).Session().Modified) << "marked changed even when nothing moved";

    Select("A1");
    Probe(main).Items().TreeDragDrop(QPoint(30, main.Tree->viewport()->height() - 2));
    EXPECT_EQ(Order(), "A .C B A1") << "below the last item";
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, OutlineCommandsRunAsCommandsAndAreTakenBack) {
    TMainForm& main = Build({"A:0", "C:1", "C1:2", "B:1", "D:0"});
    const TCommandRunner& run = main.Commands();
    const auto shown = [&](const QString& label) {
        return main.Tree->isExpanded(main.TreeModel->IndexOf(Item(label)));
    };
    Select("C1");
    run.Run(TCommand::ShowLevel1);
    EXPECT_FALSE(Item("A")->Expanded());
    EXPECT_FALSE(shown("A"));
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("A")) << "the hidden item passes it on";
    EXPECT_EQ(Probe(main).Texts().EditorText(), "text of A");
    run.Run(TCommand::UndoOutline);
    EXPECT_TRUE(shown("A") && shown("C") && Item("C")->Expanded());
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("C1"));
    run.Run(TCommand::CollapseAll);
    run.Run(TCommand::ExpandSelected);  // the selection went to A
    EXPECT_TRUE(shown("A") && shown("C"));
    run.Run(TCommand::UndoOutline);
    run.Run(TCommand::UndoOutline);
    EXPECT_TRUE(shown("A") && shown("C"));

    // The editor's text, not yet in its file, is the one copied.
    Select("A");
    main.TreeModel->SetLabel(Item("A"), "E");
    Probe(main).Texts().SetEditorText("text of E");
    run.Run(TCommand::DuplicateItem);
    const QString duplicated = "E .C ..C1 .B E .C ..C1 .B D";
    EXPECT_EQ(Order(), duplicated);
    EXPECT_EQ(Probe(main).Session().CurrentItemIndex, 4);
    EXPECT_TRUE(Outline().ItemAt(5)->Expanded()) << "the copy shows as the original";
    QSet<int> numbers;
    Outline().ForEach([&](TOutlineItem* item) { numbers << item->ItemNumber; });
    EXPECT_EQ(numbers.size(), 9);
    ExpectTextsStayWithTheirItems();
    run.Run(TCommand::UndoOutline);
    EXPECT_EQ(Order(), "E .C ..C1 .B D");
    run.Run(TCommand::RedoOutline);
    EXPECT_EQ(Order(), duplicated);
    ExpectTextsStayWithTheirItems();
    run.Run(TCommand::UndoOutline);

    Select("E");
    run.Run(TCommand::SortChildrenAscending);
    EXPECT_EQ(Order(), "E .B .C ..C1 D");
    run.Run(TCommand::SortChildrenDescending);
    EXPECT_EQ(Order(), "E .C ..C1 .B D");
    run.Run(TCommand::UndoOutline);
    run.Run(TCommand::UndoOutline);
    EXPECT_EQ(Order(), "E .C ..C1 .B D");
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("E"));
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, OutlineCommandsLeaveALabelBeingEditedAndAnEmptyOutlineAlone) {
    TMainForm& main = Build({"A:0", "A1:1", "B:0"});
    const QList<TCommand> commands = {TCommand::DuplicateItem,    TCommand::SortChildrenDescending,
                                      TCommand::ExpandAll,        TCommand::CollapseAll,
                                      TCommand::ShowLevel2,       TCommand::ExpandSelected,
                                      TCommand::CollapseSelected, TCommand::CutItems,
                                      TCommand::CopyItems};
    Select("B");  // an item a cut would take
    main.Tree->setFocus();
    main.Tree->edit(main.TreeModel->IndexOf(Item("B")));
    ASSERT_TRUE(main.Tree->EditingLabel());
    const TBitList expanded = Outline().ExpandedFlags();
    for (const TCommand command : commands) main.Commands().Run(command);
    EXPECT_EQ(Order(), "A .A1 B");
    EXPECT_EQ(Outline().ExpandedFlags(), expanded);
    EXPECT_EQ(Probe(main).Session().History.UndoCount(), 0);
    main.Tree->CommitLabelEdit();

    main.TreeModel->Clear();
    for (const TCommand command : commands) main.Commands().Run(command);
    EXPECT_TRUE(Outline().IsEmpty());
}

TEST_F(ItemOperations, ARangeSelectedWithShiftMovesAsABlockAndTheCurrentItemKeepsItsText) {
    TMainForm& main = Build({"A:0", "B:0", "B1:1", "C:0", "D:0"});
    main.Tree->setFocus();
    Select("B");
    QTest::keyClick(main.Tree, Qt::Key_Down, Qt::ShiftModifier);  // B1 is hidden: C
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("C"));
    EXPECT_EQ(Probe(main).Texts().EditorText(), "text of C");
    main.Commands().Run(TCommand::MoveDownItem);
    EXPECT_EQ(Order(), "A D B .B1 C");
    main.Commands().Run(TCommand::MoveUpItem);
    main.Commands().Run(TCommand::MoveUpItem);
    EXPECT_EQ(Order(), "B .B1 C A D");
    EXPECT_EQ(main.Tree->selectionModel()->selectedRows().size(), 2) << "the block stays selected";
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("C"));
    ExpectTextsStayWithTheirItems();
    main.Commands().Run(TCommand::UndoOutline);
    main.Commands().Run(TCommand::UndoOutline);
    main.Commands().Run(TCommand::UndoOutline);
    EXPECT_EQ(Order(), "A B .B1 C D");
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, DeletingADescendantSelectedWithItsAncestorCountsItOnce) {
    TMainForm& main = Build({"A:0", "B:0", "B1:1", "C:0", "D:0"});
    Probe(main).Texts().SelectItems({Item("B"), Item("B1"), Item("C")}, Item("B1"));
    boxes.Answer(Answer::Yes);
    main.Commands().Run(TCommand::DeleteItem);
    ASSERT_FALSE(boxes.Texts().isEmpty());
    EXPECT_TRUE(boxes.Texts().last().contains(u"2 個の項目と、その子項目（合わせて 3 項目）"));
    EXPECT_EQ(Order(), "A D");
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("A"));
    main.Commands().Run(TCommand::UndoOutline);
    EXPECT_EQ(Order(), "A B .B1 C D");
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, SplitAtTheCaretAndJoinAgainAreEachOneChangeWithTheirTexts) {
    TMainForm& main = Build({"A:0", "B:0", "C:0"});
    Select("B");
    QTextCursor caret = main.Editor->textCursor();
    caret.setPosition(5);  // "text |of B"
    main.Editor->setTextCursor(caret);
    main.Commands().Run(TCommand::SplitItem);
    EXPECT_EQ(Order(), "A B of B C");
    EXPECT_EQ(Probe(main).Texts().EditorText(), "text ");
    Select("of B");
    EXPECT_EQ(Probe(main).Texts().EditorText(), "of B");
    Probe(main).Texts().SelectItems({Item("B"), Item("of B")}, Item("of B"));
    boxes.Answer(Answer::Yes);
    main.Commands().Run(TCommand::JoinItems);
    EXPECT_EQ(Order(), "A B C");
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("B"));
    EXPECT_EQ(Probe(main).Texts().EditorText(), "text \nof B");
    // Split at a line's end, the line break goes: a join gives the same text again.
    caret = main.Editor->textCursor();
    caret.setPosition(5);
    main.Editor->setTextCursor(caret);
    main.Commands().Run(TCommand::SplitItem);
    Select("of B");
    EXPECT_EQ(Probe(main).Texts().EditorText(), "of B");
    for (int step = 0; step < 3; ++step) main.Commands().Run(TCommand::UndoOutline);
    EXPECT_EQ(Order(), "A B C");
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, TwoCopiedBlocksPasteAsChildrenAsOneChangeWithTheirTexts) {
    TMainForm& main = Build({"A:0", "A1:1", "A2:1", "B:0", "B1:1", "C:0"});
    const TCommandRunner& run = main.Commands();
    Select("A1");
    // The editor's text, not yet in its file, is the one copied.
    main.TreeModel->SetLabel(Item("A1"), "E");
    Probe(main).Texts().SetEditorText("text of E");
    Probe(main).Texts().SelectItems({Item("E"), Item("B"), Item("B1")}, Item("E"));
    run.Run(TCommand::CopyItems);
    const QString before = "A .E .A2 B .B1 C";
    ASSERT_EQ(Order(), before);
    const TBitList expandedBefore = Outline().ExpandedFlags();

    Select("C");
    run.Run(TCommand::PasteItemsAsChildren);
    const QString pasted = "A .E .A2 B .B1 C .E .B ..B1";
    EXPECT_EQ(Order(), pasted);
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Outline().ItemAt(6));
    EXPECT_EQ(Probe(main).Texts().EditorText(), "text of E");
    EXPECT_EQ(Probe(main).Texts().SelectedBlocks(),
              (std::vector<TOutlineItem*>{Outline().ItemAt(6), Outline().ItemAt(7)}));
    EXPECT_TRUE(Outline().ItemAt(7)->Expanded()) << "opened as it was copied";
    QSet<int> numbers;
    Outline().ForEach([&](TOutlineItem* item) { numbers << item->ItemNumber; });
    EXPECT_EQ(numbers.size(), 9);
    ExpectTextsStayWithTheirItems();

    run.Run(TCommand::UndoOutline);
    EXPECT_EQ(Order(), before);
    EXPECT_EQ(Outline().ExpandedFlags(), expandedBefore);
    EXPECT_EQ(Probe(main).Texts().SelectedItem(), Item("C"));
    ExpectTextsStayWithTheirItems();
    run.Run(TCommand::RedoOutline);
    EXPECT_EQ(Order(), pasted);
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, CutItemsPasteIntoANewDocumentWithTheirTexts) {
    TMainForm& main = Build({"A:0", "B:0", "B1:1", "C:0"});
    const TCommandRunner& run = main.Commands();
    QGuiApplication::clipboard()->clear();
    run.Run(TCommand::CutItems);  // the first item stays, and nothing is copied
    EXPECT_EQ(Order(), "A B .B1 C");
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].kind, TMessageBoxes::Kind::Warning);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());

    Select("C");
    run.Run(TCommand::CutItems);
    EXPECT_EQ(Order(), "A B .B1");
    EXPECT_EQ(Probe(main).Session().History.UndoCount(), 1);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(".C\ntext of C"));

    boxes.Answer(Answer::No);  // the cut document is not saved
    run.Run(TCommand::NewFile);
    ASSERT_TRUE(Outline().IsEmpty());
    run.Run(TCommand::PasteItems);
    EXPECT_EQ(Order(), "C");
    EXPECT_EQ(Probe(main).Texts().EditorText(), "text of C");
    run.Run(TCommand::PasteItems);
    EXPECT_EQ(Order(), "C C");
    ExpectTextsStayWithTheirItems();
}

TEST_F(ItemOperations, PastingTextThatHoldsAnOutlineAsksFirst) {
    TMainForm& main = Build({"A:0"});
    QGuiApplication::clipboard()->setText(QStringLiteral(".X\ntext of X\n..Y\ntext of Y\n"));
    boxes.Answer(Answer::Yes);
    main.Commands().Run(TCommand::PasteItems);
    EXPECT_EQ(boxes.Texts(), QStringList{"クリップボードの文章を、項目として張り付けますか？"});
    EXPECT_EQ(Order(), "A X .Y");
    ExpectTextsStayWithTheirItems();
    boxes.Answer(Answer::No);  // the text as one item, as "項目を張り付け" makes it
    main.Commands().Run(TCommand::PasteItems);
    EXPECT_EQ(Order(), "A X .Y .X");
}

}  // namespace
