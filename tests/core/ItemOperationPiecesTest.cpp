#include <gtest/gtest.h>

#include "document/TDropZone.h"
#include "document/TExpandedStates.h"
#include "document/TMovePrimitive.h"
#include "document/TNodeName.h"
#include "support/Printers.h"

namespace {

using Mode = TMovePrimitive::Mode;

// A(0) [A1(1) [A11(2)]] B(3) C(4)
class MovePrimitive : public testing::Test {
  protected:
    void SetUp() override {
        a = outline.Insert(outline.Root(), 0, "A", 0);
        a1 = outline.Insert(a, 0, "A1", 1);
        a11 = outline.Insert(a1, 0, "A11", 2);
        b = outline.Insert(outline.Root(), 1, "B", 3);
        c = outline.Insert(outline.Root(), 2, "C", 4);
    }
    TOutline outline;
    TOutlineItem *a, *a1, *a11, *b, *c;
};

TEST_F(MovePrimitive, LastChildBeforeAndLastSibling) {
    auto d = TMovePrimitive::Resolve(outline, c, Mode::LastChild, a);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->parent, a);
    EXPECT_EQ(d->row, 1);

    d = TMovePrimitive::Resolve(outline, c, Mode::Before, a1);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->parent, a);
    EXPECT_EQ(d->row, 0);

    d = TMovePrimitive::Resolve(outline, a11, Mode::LastSibling, b);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->parent, outline.Root());
    EXPECT_EQ(d->row, 3);

    d = TMovePrimitive::Resolve(outline, a11, Mode::LastSibling, nullptr);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->parent, outline.Root());
}

TEST_F(MovePrimitive, RefusesMovesIntoItsOwnSubtreeOrToWhereItStands) {
    EXPECT_FALSE(TMovePrimitive::Resolve(outline, a, Mode::LastChild, a11));
    EXPECT_FALSE(TMovePrimitive::Resolve(outline, a, Mode::LastChild, a));
    EXPECT_FALSE(TMovePrimitive::Resolve(outline, a, Mode::Before, a1));
    EXPECT_FALSE(TMovePrimitive::Resolve(outline, b, Mode::Before, c)) << "already just before";
    EXPECT_TRUE(TMovePrimitive::Resolve(outline, c, Mode::Before, b));
    EXPECT_FALSE(TMovePrimitive::Resolve(outline, a11, Mode::LastChild, a1))
        << "already its last child";
    EXPECT_FALSE(TMovePrimitive::Resolve(outline, c, Mode::LastSibling, nullptr))
        << "already the last item";
}

TEST_F(MovePrimitive, ExpandedStatesFollowTheItemToItsNewIndex) {
    outline.SetExpanded(a, true);
    outline.SetExpanded(a11, true);
    const TExpandedStates states = TExpandedStates::Take(a);
    EXPECT_EQ(states.Flags(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(states.IndexesToExpand(2), (std::vector<int>{2, 4}));
}

TEST(NodeName, CountsDoubleByteCharactersAsTwoAndNeverSplitsOne) {
    const QString thirty = QString(30, QChar(u'あ'));
    EXPECT_EQ(TNodeName::FirstBytes(thirty, 40), QString(20, QChar(u'あ')));
    EXPECT_EQ(TNodeName::FirstBytes(QString::fromUtf16(u"aあb"), 2), "a");
    EXPECT_EQ(TNodeName::FirstBytes(QString::fromUtf16(u"aあb"), 3), QString::fromUtf16(u"aあ"));
    EXPECT_EQ(TNodeName::FirstBytes(QString::fromUtf16(u"ｱｲｳ"), 2), QString::fromUtf16(u"ｱｲ"));
    EXPECT_EQ(TNodeName::FirstBytes("short", 40), "short");
    EXPECT_EQ(TNodeName::FirstBytes("abc", 0), "");
    EXPECT_EQ(TNodeName::FirstBytes("abc", -5), "");
    EXPECT_EQ(TNodeName::FirstBytes(QString::fromUtf16(u"😀x"), 1), "");
}

TEST(DropZone, ClassifiesTheRowUnderThePointer) {
    const TDropZone::Row row{57, 120, 19};  // a second-level item
    EXPECT_EQ(TDropZone::Classify(60, &row, false), TDropZone::Zone::OnItem);
    EXPECT_EQ(TDropZone::Classify(119, &row, false), TDropZone::Zone::OnItem);
    EXPECT_EQ(TDropZone::Classify(120, &row, false), TDropZone::Zone::Nowhere)
        << "right of the label";
    EXPECT_EQ(TDropZone::Classify(45, &row, false), TDropZone::Zone::Nowhere)
        << "the expand button";
    EXPECT_EQ(TDropZone::Classify(10, &row, false), TDropZone::Zone::Indentation);
    EXPECT_EQ(TDropZone::Classify(10, nullptr, true), TDropZone::Zone::BelowItems);
    EXPECT_EQ(TDropZone::Classify(10, nullptr, false), TDropZone::Zone::Nowhere);
}

}  // namespace
