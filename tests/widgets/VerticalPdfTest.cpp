#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextStream>

#include "app/TCommandLineConversion.h"
#include "document/TDocumentWriter.h"
#include "document/TOutline.h"
#include "support/ProcessOutput.h"
#include "support/TempDir.h"

namespace {

int Convert(const QStringList& arguments, QString* out = nullptr) {
    QString written, errors;
    QTextStream outStream(&written), errorStream(&errors);
    const int status = TCommandLineConversion::Run(arguments, outStream, errorStream);
    outStream.flush();
    if (out) *out = written;
    return status;
}

// A story of a few pages in a chapter, an empty item and a short one.
QString WriteDocument(const TempDir& dir) {
    TOutline outline;
    TOutlineItem* chapter = outline.Insert(outline.Root(), 0, QStringLiteral("第一章"), 0);
    outline.Insert(chapter, 0, QStringLiteral("空"), 1);
    outline.Insert(outline.Root(), 1, QStringLiteral("第二章"), 2);
    const QStringList texts = {
        QStringLiteral("「ねえ、本当に12回も行くの!?」\n　姉は｜窓《まど》の外を《《見た》》。\n")
            .repeated(60),
        QString(), QStringLiteral("終わり。")};
    dir.Write("novel.qlo", TDocumentWriter::Write(outline, [&](const TOutlineItem& item) {
                               return texts.value(item.ItemNumber);
                           }).Bytes());
    return dir.File(QStringLiteral("novel.qlo"));
}

// The manuscript pages --count reports in its total line.
int CountedPages(const QStringList& options, const QString& document) {
    QString out;
    EXPECT_EQ(
        Convert(QStringList{QStringLiteral("--count")} + options + QStringList{document}, &out), 0);
    const QStringList total = out.trimmed().split(u'\n').last().split(u'\t');
    return total.value(5).toInt();
}

TEST(VerticalPdf, HasTheCountedManuscriptPagesWithOrWithoutTheGrid) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "needs pdfinfo (poppler-utils)";
    TempDir dir;
    const QString document = WriteDocument(dir);
    const QString path = dir.File(QStringLiteral("novel.pdf"));
    for (const QStringList& options : {QStringList{}, QStringList{"--grid", "40x30"}}) {
        const int pages = CountedPages(options, document);
        ASSERT_GE(pages, 2);
        ASSERT_EQ(Convert(QStringList{"--export", "pdf-vertical"} + options +
                          QStringList{document, path}),
                  0);
        EXPECT_TRUE(
            ProcessOutput(QStringLiteral("pdfinfo"), {path})
                .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));
        const QString text =
            ProcessOutput(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        EXPECT_TRUE(text.contains(QStringLiteral("%1 / %1").arg(pages)));
        EXPECT_TRUE(text.contains(QStringLiteral("第二章")));
    }
    ASSERT_EQ(Convert({"--export", "pdf-vertical", "--no-grid", document, path}), 0);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_NE(Convert({"--export", "pdf-vertical", "--grid", "0x3", document, path}), 0);
}

}  // namespace
