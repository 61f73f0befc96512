#include <gtest/gtest.h>

#include <QBuffer>
#include <QPdfWriter>

#include "ui/TPrintedOutline.h"

namespace {

// An outline long enough for a few hundred pages.
TOutlineEntries LongOutline() {
    TOutlineEntries entries;
    for (int i = 0; i < 1500; ++i)
        entries.append({1 + i % 3, QStringLiteral("見出し %1").arg(i),
                        QStringLiteral("本文の一行目です。\nsecond line of the text\n三行目")});
    return entries;
}

struct PdfTarget {
    PdfTarget() : writer(&buffer) { TPrintedOutline::SetMargins(writer); }
    QBuffer buffer;
    QPdfWriter writer;
};

// A cancel is heard while a long outline is still being laid out, before any page; laid
// out a stretch at a time, the outline fills the same pages as laid out at once.
TEST(PrintedOutline, ALongOutlineCanBeStoppedWhileItIsLaidOut) {
    const TOutlineEntries entries = LongOutline();
    const QFont font(QStringLiteral("IPAGothic"), 10);

    PdfTarget stopped;
    int firstTotal = -1;
    EXPECT_FALSE(TPrintedOutline(entries, font).Paint(stopped.writer, [&](int, int total) {
        firstTotal = total;
        return false;
    }));
    EXPECT_EQ(firstTotal, 0) << "the first word of progress came only with the pages";

    PdfTarget inStretches, atOnce;
    TPrintedOutline told(entries, font), untold(entries, font);
    int lastDone = 0;
    ASSERT_TRUE(told.Paint(inStretches.writer, [&](int done, int) {
        lastDone = done;
        return true;
    }));
    ASSERT_TRUE(untold.Paint(atOnce.writer));
    EXPECT_GT(told.PageCount(), 50);
    EXPECT_EQ(told.PageCount(), untold.PageCount());
    EXPECT_EQ(lastDone, told.PageCount());
}

}  // namespace
