#include <gtest/gtest.h>

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

}  // namespace
