#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "document/TOutline.h"

namespace {

// a(0) [b(1) [c(2)] d(3)] e(4)
class OutlineTest : public testing::Test {
  protected:
    void SetUp() override {
        a = outline.Insert(outline.Root(), 0, "a", 0);
        b = outline.Insert(a, 0, "b", 1);
        c = outline.Insert(b, 0, "c", 2);
        d = outline.Insert(a, 1, "d", 3);
        e = outline.Insert(outline.Root(), 1, "e", 4);
    }
    QString Order() const {
        QString order;
        outline.ForEach([&](TOutlineItem* item) { order += item->Label; });
        return order;
    }
    TOutline outline;
    TOutlineItem *a, *b, *c, *d, *e;
};

TEST_F(OutlineTest, AbsoluteIndexIsDepthFirstPosition) {
    EXPECT_EQ(outline.Count(), 5);
    const TOutlineItem* items[] = {a, b, c, d, e};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(outline.AbsoluteIndexOf(items[i]), i);
        EXPECT_EQ(outline.ItemAt(i), items[i]);
    }
    EXPECT_EQ(outline.ItemAt(5), nullptr);
    EXPECT_EQ(outline.ItemAt(-1), nullptr);
    EXPECT_EQ(outline.AbsoluteIndexOf(nullptr), -1);
}

TEST_F(OutlineTest, RemovingTakesTheWholeSubtree) {
    outline.Remove(b);
    EXPECT_EQ(outline.Count(), 3);
    EXPECT_EQ(Order(), "ade");
    EXPECT_EQ(outline.AbsoluteIndexOf(e), 2);
}

TEST_F(OutlineTest, MovesKeepSubtreesAndNumbers) {
    outline.Move(b, outline.Root(), 2);  // b with c to the end
    EXPECT_EQ(Order(), "adebc");
    EXPECT_EQ(c->Parent(), b);
    EXPECT_EQ(b->ItemNumber, 1);
    outline.Move(e, a, 0);  // e becomes a's first child
    EXPECT_EQ(Order(), "aedbc");
    outline.Move(d, a, 0);  // earlier within the same parent
    EXPECT_EQ(Order(), "adebc");
    outline.Move(d, a, 2);  // later within the same parent: row counts before the move
    EXPECT_EQ(Order(), "aedbc");
    EXPECT_EQ(outline.Count(), 5);
}

TEST_F(OutlineTest, SubtreeQueries) {
    EXPECT_EQ(a->SubtreeSize(), 4);
    EXPECT_TRUE(c->IsWithin(a));
    EXPECT_FALSE(e->IsWithin(a));
    EXPECT_EQ(d->Row(), 1);
    outline.Clear();
    EXPECT_TRUE(outline.IsEmpty());
    EXPECT_EQ(outline.First(), nullptr);
}

// The flags the outline keeps by absolute index stay those of its items through
// insertions, removals and moves, over far more items than a word of flags holds.
TEST(OutlineFlags, ExpandedFlagsFollowTheItems) {
    TOutline outline;
    std::mt19937 random(11);
    const auto pick = [&](int count) {
        return static_cast<int>(random() % static_cast<unsigned>(count));
    };
    const auto anyParent = [&] {
        TOutlineItem* parent = outline.ItemAt(pick(outline.Count() + 1));
        return parent ? parent : outline.Root();
    };
    const auto walked = [&] {
        std::vector<int> expanded;
        int index = 0;
        outline.ForEach([&](TOutlineItem* item) {
            if (item->Expanded()) expanded.push_back(index);
            ++index;
        });
        return expanded;
    };
    for (int i = 0; i < 400; ++i) {
        TOutlineItem* parent = anyParent();
        TOutlineItem* item = outline.Insert(parent, pick(parent->ChildCount() + 1), "", i);
        outline.SetExpanded(item, pick(3) == 0);
    }
    for (int step = 0; step < 300; ++step) {
        const TBitList before = outline.ExpandedFlags();
        TOutlineItem* item = outline.ItemAt(pick(outline.Count()));
        TOutlineItem* parent = anyParent();
        if (step % 7 == 0 && !item->HasChildren())
            outline.Remove(item);
        else if (!parent->IsWithin(item))
            outline.Move(item, parent, pick(parent->ChildCount() + 1));
        outline.SetExpanded(outline.ItemAt(pick(outline.Count())), step % 2 == 0);
        ASSERT_EQ(outline.ExpandedFlags().Size(), outline.Count()) << "step " << step;
        EXPECT_EQ(outline.ExpandedFlags().Differences(TBitList(outline.Count())), walked())
            << "step " << step;
        std::vector<int> changed;
        for (int k = 0; k < std::max(before.Size(), outline.Count()); ++k) {
            const bool was = k < before.Size() && before.At(k);
            const bool is = k < outline.Count() && outline.ExpandedFlags().At(k);
            if (was != is) changed.push_back(k);
        }
        EXPECT_EQ(outline.ExpandedFlags().Differences(before), changed) << "step " << step;
    }
}

}  // namespace
