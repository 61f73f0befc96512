#include <gtest/gtest.h>

#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "support/TempDir.h"
#include "ui/TPrintedOutline.h"

namespace {

QString Output(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

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
            EXPECT_EQ(done, ++told);
            EXPECT_EQ(total, printed.PageCount());
            return true;
        }));
    }
    ASSERT_GE(printed.PageCount(), 3);
    EXPECT_TRUE(Output(QStringLiteral("pdfinfo"), {path})
                    .contains(QRegularExpression(
                        QStringLiteral("Pages:\\s+%1\\n").arg(printed.PageCount()))));

    const QString text = Output(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
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

TEST(PrintedOutline, PaintingStopsWhenTold) {
    QStringList lines(400, QStringLiteral("長い文章"));
    TempDir dir;
    TPrintedOutline printed({{1, QStringLiteral("章"), lines.join(u'\n')}},
                            QFont(QStringLiteral("IPAGothic"), 10));
    QPdfWriter writer(dir.File(QStringLiteral("stopped.pdf")));
    int pages = 0;
    EXPECT_FALSE(printed.Paint(writer, [&](int done, int) {
        pages = done;
        return done < 2;
    }));
    EXPECT_EQ(pages, 2);
}

}  // namespace
