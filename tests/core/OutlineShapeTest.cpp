#include <gtest/gtest.h>

#include <stdexcept>

#include "document/TBlockMoves.h"
#include "document/TItemSelection.h"
#include "document/TLabelSort.h"
#include "document/TOutlineHistory.h"
#include "document/TOutlineLevels.h"
#include "document/TSubtreeCopy.h"

namespace {

// A model built from "label:level" entries (top-level items at level 0), numbered 1, 2, ...
class OutlineShape : public ::testing::Test {
  protected:
    void Build(const QStringList& entries) {
        std::vector<TOutlineItem*> parents = {model.Outline().Root()};
        int number = 0;
        for (const QString& entry : entries) {
            const int level = entry.section(u':', 1, 1).toInt();
            parents.resize(level + 1);
            TOutlineItem* parent = parents[level];
            parents.push_back(model.InsertItem(parent, parent->ChildCount(),
                                               entry.section(u':', 0, 0), ++number));
        }
    }
    // "label" for every item in depth-first order, indented by depth.
    QStringList Shape() const {
        QStringList shape;
        model.Outline().ForEach([&](TOutlineItem* item) {
            int depth = 0;
            for (const TOutlineItem* p = item->Parent(); p != model.Outline().Root();
                 p = p->Parent())
                ++depth;
            shape << QString(depth, u' ') + item->Label;
        });
        return shape;
    }
    QList<int> Expanded(const TBitList& flags) const {
        QList<int> indexes;
        for (int index = 0; index < flags.Size(); ++index)
            if (flags.At(index)) indexes << index;
        return indexes;
    }
    TOutlineItem* At(int index) const { return model.Outline().ItemAt(index); }
    QStringList Labels(const std::vector<TOutlineItem*>& items) const {
        QStringList labels;
        for (const TOutlineItem* item : items) labels << item->Label;
        return labels;
    }

    TOutlineItemModel model;
    TOutlineHistory history;
    TOutlineStep::SetExpanded setExpanded = [this](TOutlineItem* item, bool expanded) {
        model.Outline().SetExpanded(item, expanded);
    };
};

TEST_F(OutlineShape, LevelsExpandOnlyItemsWithChildrenShallowerThanTheLevel) {
    // 0 a, 1 b, 2 c, 3 d, 4 e, 5 f
    Build({"a:0", "b:1", "c:2", "d:3", "e:1", "f:0"});
    const TOutline& outline = model.Outline();
    EXPECT_EQ(Expanded(TOutlineLevels::ShownTo(outline, 0)), QList<int>());
    EXPECT_EQ(Expanded(TOutlineLevels::ShownTo(outline, 1)), QList<int>());
    EXPECT_EQ(Expanded(TOutlineLevels::ShownTo(outline, 2)), QList<int>({0}));
    EXPECT_EQ(Expanded(TOutlineLevels::ShownTo(outline, 3)), QList<int>({0, 1}));
    EXPECT_EQ(Expanded(TOutlineLevels::ShownTo(outline, TOutlineLevels::kAllLevels)),
              QList<int>({0, 1, 2}));
    EXPECT_EQ(TOutlineLevels::ShownTo(outline, 3).Size(), outline.Count());
    // A subtree leaves the flags outside it alone.
    model.Outline().SetExpanded(At(0), true);
    EXPECT_EQ(Expanded(TOutlineLevels::Subtree(outline, At(1), true)), QList<int>({0, 1, 2}));
    model.Outline().SetExpanded(At(1), true);
    EXPECT_EQ(Expanded(TOutlineLevels::Subtree(outline, At(1), false)), QList<int>({0}));
}

TEST_F(OutlineShape, RefoldingIsTakenBackAndMadeAgainWithTheSelection) {
    Build({"a:0", "b:1", "c:2", "d:0"});
    setExpanded(At(0), true);
    const TBitList before = model.Outline().ExpandedFlags();
    const TBitList all = TOutlineLevels::ShownTo(model.Outline(), TOutlineLevels::kAllLevels);
    for (const int index : before.Differences(all)) setExpanded(At(index), all.At(index));
    history.Add(TOutlineStep::Refolded(2, 1, before));
    EXPECT_EQ(history.Undo(model, setExpanded), 2);
    EXPECT_EQ(model.Outline().ExpandedFlags(), before);
    EXPECT_EQ(history.Redo(model, setExpanded), 1);
    EXPECT_EQ(model.Outline().ExpandedFlags(), all);
}

TEST_F(OutlineShape, DuplicateCopiesTheSubtreeRightAfterItWithNewNumbers) {
    Build({"a:0", "b:1", "c:2", "d:1", "e:0"});
    At(2)->LabelBytes = "c bytes";
    QList<int> asked;
    TOutlineItem* copy = TSubtreeCopy::Duplicate(model, At(0), [&](const TOutlineItem& original) {
        asked << original.ItemNumber;
        return 100 + original.ItemNumber;
    });
    EXPECT_EQ(asked, QList<int>({1, 2, 3, 4}));
    EXPECT_EQ(Shape(), QStringList({"a", " b", "  c", " d", "a", " b", "  c", " d", "e"}));
    EXPECT_EQ(copy, At(4));
    QList<int> numbers;
    model.Outline().ForEach([&](TOutlineItem* item) { numbers << item->ItemNumber; });
    EXPECT_EQ(numbers, QList<int>({1, 2, 3, 4, 101, 102, 103, 104, 5}));
    EXPECT_EQ(At(6)->LabelBytes, "c bytes");
    // A number that cannot be had leaves the outline as it was.
    EXPECT_ANY_THROW(TSubtreeCopy::Duplicate(
        model, At(8), [](const TOutlineItem&) -> int { throw std::runtime_error("no number"); }));
    EXPECT_EQ(model.Outline().Count(), 9);
}

// What Qt's ICU collator for Japanese gives with numbers compared by value: digits before
// Latin before kana before kanji; full-width and half-width digits and letters, hiragana
// and katakana (full-width or half-width) weigh the same, and keep their order.
TEST_F(OutlineShape, SortsChildrenInJapaneseOrderKeepingEqualLabelsInTheirOrder) {
    Build({"p:0", "漢字:1", "項目10:1", "アイ:1", "１０:1", "b:1", "項目２:1", "あい:1", "9:1",
           "ｱｲ:1", "は:1", "ば:1"});
    const QStringList ascending = {"9",  "１０", "b",    "アイ",   "あい",  "ｱｲ",
                                   "は", "ば",   "漢字", "項目２", "項目10"};
    EXPECT_EQ(Labels(TLabelSort::Sorted(At(0), Qt::AscendingOrder)), ascending);
    const QStringList descending = {"項目10", "項目２", "漢字", "ば",   "は", "アイ",
                                    "あい",   "ｱｲ",     "b",    "１０", "9"};
    EXPECT_EQ(Labels(TLabelSort::Sorted(At(0), Qt::DescendingOrder)), descending);
}

TEST_F(OutlineShape, SortMovesSubtreesAndIsTakenBackAsOneChange) {
    Build({"p:0", "c:1", "c1:2", "a:1", "b:1", "b1:2", "q:0"});
    setExpanded(At(1), true);  // c
    const QStringList before = Shape();
    std::optional<TOutlineStep> step = TLabelSort::Apply(model, At(0), Qt::AscendingOrder);
    ASSERT_TRUE(step);
    EXPECT_EQ(Shape(), QStringList({"p", " a", " b", "  b1", " c", "  c1", "q"}));
    EXPECT_TRUE(At(4)->Expanded());
    history.Add(std::move(*step));
    EXPECT_EQ(history.Undo(model, setExpanded), 0);
    EXPECT_EQ(Shape(), before);
    EXPECT_TRUE(At(1)->Expanded());
    EXPECT_EQ(history.Redo(model, setExpanded), 0);
    EXPECT_EQ(Shape()[1], " a");
    EXPECT_FALSE(TLabelSort::Apply(model, At(0), Qt::AscendingOrder));  // sorted already
}

TEST_F(OutlineShape, AnItemSelectedWithItsAncestorCountsOnceAndBlocksKeepOutlineOrder) {
    // 0 a, 1 b, 2 c, 3 d, 4 e
    Build({"a:0", "b:1", "c:2", "d:0", "e:0"});
    const std::vector<TOutlineItem*> blocks =
        TItemSelection::Blocks(model.Outline(), {At(4), At(2), At(1), At(4), At(3)});
    EXPECT_EQ(Labels(blocks), QStringList({"b", "d", "e"}));
    EXPECT_EQ(TItemSelection::ItemCount(blocks), 4);
}

TEST_F(OutlineShape, BlocksMoveTogetherWithoutPassingOneThatIsHeld) {
    Build({"a:0", "b:0", "c:0", "d:0", "e:0"});
    TBlockMoves moves(model, setExpanded);
    // a cannot go up and holds b right behind it; d passes c.
    std::optional<TOutlineStep> up = moves.Up({At(0), At(1), At(3)});
    ASSERT_TRUE(up);
    EXPECT_EQ(Shape(), QStringList({"a", "b", "d", "c", "e"}));
    history.Add(std::move(*up));
    // Down: e is held at the end and holds c; b passes d. Then right: d and b into a.
    history.Add(*moves.Down({At(1), At(3), At(4)}));
    EXPECT_EQ(Shape(), QStringList({"a", "d", "b", "c", "e"}));
    history.Add(*moves.Right({At(1), At(2)}));
    EXPECT_EQ(Shape(), QStringList({"a", " d", " b", "c", "e"}));
    history.Add(*moves.Left({At(1), At(2)}));
    EXPECT_EQ(Shape(), QStringList({"a", "d", "b", "c", "e"}));
    EXPECT_FALSE(moves.Up({At(0), At(1)})) << "both held: no change";
    for (int undo = 0; undo < 4; ++undo) history.Undo(model, setExpanded);
    EXPECT_EQ(Shape(), QStringList({"a", "b", "c", "d", "e"}));
}

TEST_F(OutlineShape, JoinKeepsTheChildrenOfEveryJoinedItemUnderTheFirst) {
    // 0 a, 1 a1, 2 b, 3 c, 4 c1, 5 d
    Build({"a:0", "a1:1", "b:0", "c:0", "c1:1", "d:0"});
    TBlockMoves moves(model, setExpanded);
    history.Add(*moves.Join({At(0), At(3)}, 99));
    EXPECT_EQ(Shape(), QStringList({"a", " a1", " c1", "b", "d"}));
    EXPECT_EQ(At(0)->ItemNumber, 99);
    history.Undo(model, setExpanded);
    EXPECT_EQ(Shape(), QStringList({"a", " a1", "b", "c", " c1", "d"}));
    EXPECT_EQ(At(0)->ItemNumber, 1) << "the former text file comes back";
    EXPECT_EQ(At(3)->ItemNumber, 4);
}

}  // namespace
