#include <gtest/gtest.h>

#include <QTextStream>

#include "app/TCommandLineConversion.h"
#include "document/TDocumentWriter.h"
#include "document/TOutline.h"
#include "support/TempDir.h"

namespace {

// A document of a chapter with two sections; the second section is empty.
void WriteDocument(const TempDir& dir) {
    TOutline outline;
    TOutlineItem* chapter = outline.Insert(outline.Root(), 0, QStringLiteral("第一章"), 0);
    outline.Insert(chapter, 0, QStringLiteral("一"), 1);
    outline.Insert(chapter, 1, QStringLiteral("二"), 2);
    const QStringList texts = {QStringLiteral("あ").repeated(45) + "\n「い　う」",
                               QStringLiteral("漢字《かんじ》と、\n\nｶﾞ"), QString()};
    dir.Write("novel.qlo", TDocumentWriter::Write(outline, [&](const TOutlineItem& item) {
                               return texts.value(item.ItemNumber);
                           }).Bytes());
}

struct Result {
    int status = 0;
    QString out;
    QString errors;
};

Result Count(const QStringList& arguments) {
    Result result;
    QTextStream out(&result.out), errors(&result.errors);
    result.status = TCommandLineConversion::Run(arguments, out, errors);
    return result;
}

TEST(CommandLineCount, PrintsEveryItemInOutlineOrderAndATotal) {
    TempDir dir;
    WriteDocument(dir);
    // 45 + 5 characters on 20 columns: 3 grid lines, then one: a page of 20 × 20 and two
    // of 20 × 3.
    const Result plain = Count({"--count", dir.File("novel.qlo")});
    EXPECT_EQ(plain.status, 0) << plain.errors.toStdString();
    EXPECT_EQ(plain.out,
              "1\t第一章\t50\t49\t2\t1\n"
              "2\t一\t5\t5\t3\t1\n"
              "2\t二\t0\t0\t0\t0\n"
              "\t合計\t55\t54\t5\t2\n");
    const Result small = Count({"--count", "--grid", "20x3", dir.File("novel.qlo")});
    EXPECT_TRUE(small.out.startsWith("1\t第一章\t50\t49\t2\t2\n")) << small.out.toStdString();
    EXPECT_TRUE(small.out.endsWith("\t合計\t55\t54\t5\t3\n")) << small.out.toStdString();
    const Result ruby = Count({"--count", "--ruby", dir.File("novel.qlo")});
    EXPECT_TRUE(ruby.out.contains("2\t一\t8\t8\t3\t1\n")) << ruby.out.toStdString();
}

TEST(CommandLineCount, ReportsWhatItCannotDo) {
    TempDir dir;
    WriteDocument(dir);
    for (const QStringList& arguments :
         {QStringList{"--count"}, QStringList{"--count", "--grid", "20", dir.File("novel.qlo")},
          QStringList{"--count", dir.File("missing.qlo")}}) {
        const Result result = Count(arguments);
        EXPECT_NE(result.status, 0);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_FALSE(result.errors.isEmpty());
    }
    EXPECT_TRUE(TCommandLineConversion::Requested({"--count", "x.qlo"}));
    EXPECT_TRUE(TCommandLineConversion::HelpText().contains("--count"));
}

}  // namespace
