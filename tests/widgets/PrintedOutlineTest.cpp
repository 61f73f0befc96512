#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "support/ProcessOutput.h"
#include "support/TempDir.h"
#include "ui/TPrintedOutline.h"

namespace {

// The PDF as outside readers see it: its page count and its text in reading order.
TEST(PrintedOutline, APdfHasTheLaidOutPagesAndItsTextInOrder) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "needs pdftotext (poppler-utils)";
    QStringList lines;
    for (int i = 1; i <= 150; ++i) lines << QStringLiteral("行 %1 の文章").arg(i);
    const TOutlineEntries entries = {{1, QStringLiteral("第一章"), lines.join(u'\n')},
                                     {2, QStringLiteral("第一節"), QStringLiteral("節の文章")},
                                     {1, QStringLiteral("第二章"), QString()}};
    TempDir dir;
    const QString path = dir.File(QStringLiteral("outline.pdf"));
    TPrintedOutline printed(entries, QFont(QStringLiteral("IPAGothic"), 10));
    {
        QPdfWriter writer(path);
        TPrintedOutline::SetMargins(writer);
        int told = 0;
        ASSERT_TRUE(printed.Paint(writer, [&](int done, int total) {
            if (total == 0) return true;  // still laying out
            EXPECT_EQ(done, ++told);
            EXPECT_EQ(total, printed.PageCount());
            return true;
        }));
    }
    ASSERT_GE(printed.PageCount(), 3);
    EXPECT_TRUE(ProcessOutput(QStringLiteral("pdfinfo"), {path})
                    .contains(QRegularExpression(
                        QStringLiteral("Pages:\\s+%1\\n").arg(printed.PageCount()))));

    const QString text = ProcessOutput(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    qsizetype at = 0;
    for (const QString& expected :
         {QStringLiteral("第一章"), QStringLiteral("行 1 の文章"), QStringLiteral("行 150 の文章"),
          QStringLiteral("第一節"), QStringLiteral("節の文章"), QStringLiteral("第二章")}) {
        const qsizetype found = text.indexOf(expected, at);
        EXPECT_GE(found, at) << expected.toStdString();
        at = std::max(at, found);
    }
    // No line is cut at a page's edge: every one is there whole, exactly once.
    for (int i = 1; i <= 150; ++i)
        EXPECT_EQ(text.count(QStringLiteral("行 %1 の文章").arg(i)), 1) << i;
    EXPECT_TRUE(text.contains(QStringLiteral("%1 / %1").arg(printed.PageCount())));
}

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
