#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "document/TDocumentReader.h"
#include "document/TDocumentWriter.h"
#include "document/TItemTextStore.h"
#include "document/TOutline.h"
#include "platform/AppError.h"
#include "support/TempDir.h"
#include "support/WorkedExample.h"

namespace {

class DocumentWriterTest : public testing::Test {
  protected:
    DocumentWriterTest() : store(dir.Path() + QStringLiteral("Data/")) {
        QDir().mkpath(store.DataDir());
    }

    TOutlineItem* Add(TOutlineItem* parent, const QString& label, const QString& text,
                      bool expanded = false) {
        if (!parent) parent = outline.Root();
        TOutlineItem* item = outline.Insert(parent, parent->ChildCount(), label, nextNumber);
        outline.SetExpanded(item, expanded);
        store.Store(nextNumber, text);
        ++nextNumber;
        return item;
    }

    TempDir dir;
    TItemTextStore store;
    TOutline outline;
    int nextNumber = 7;
};

}  // namespace

TEST_F(DocumentWriterTest, WorkedExampleByteForByte) {
    TOutlineItem* plan =
        Add(nullptr, QStringLiteral("計画"), QStringLiteral("first\nsecond"), true);
    Add(plan, QStringLiteral("詳細"), QString());
    Add(nullptr, QStringLiteral("メモ"), QStringLiteral("x"));

    const TDocumentWriter::Output output = TDocumentWriter::Write(outline, store);
    EXPECT_EQ(output.Bytes(), kWorkedExample);
    EXPECT_TRUE(output.Complete());
}

TEST_F(DocumentWriterTest, SmallestDocument) {
    Add(nullptr, QStringLiteral("新規"), QString());
    EXPECT_EQ(TDocumentWriter::Write(outline, store).Bytes(),
              QByteArray("qlm oe data form 1.3\r\nTree=1,0=0\r\nnil:\x90\x56\x8B\x4B:0\r\n"));
}

TEST_F(DocumentWriterTest, ParentsAreNamedByAbsoluteIndexAcrossLevels) {
    TOutlineItem* a = Add(nullptr, QStringLiteral("a"), QString(), true);
    TOutlineItem* b = Add(a, QStringLiteral("b"), QString());
    Add(b, QStringLiteral("c"), QString());
    Add(a, QStringLiteral("d"), QString());
    TOutlineItem* e = Add(nullptr, QStringLiteral("e"), QString());
    Add(e, QStringLiteral("f"), QString(), true);
    // Moving items afterwards must not confuse the indexes: the order is the tree's.
    outline.Move(e, outline.Root(), 0);

    EXPECT_EQ(TDocumentWriter::Write(outline, store).Bytes(),
              QByteArray("qlm oe data form 1.3\r\n"
                         "Tree=6,0=0,1=0,2=0,3=0,4=0,5=0\r\n"
                         "nil:e:0\r\n"
                         "0:f:1\r\n"
                         "nil:a:1\r\n"
                         "2:b:0\r\n"
                         "3:c:0\r\n"
                         "2:d:0\r\n"));
}

TEST_F(DocumentWriterTest, TextLinesAndCountsFollowTheItemTextFiles) {
    // A final empty line is a line of its own; ":" "=" "," in texts are plain text.
    Add(nullptr, QStringLiteral("a"), QStringLiteral("Tree=5\nnil:x:1\n"));
    Add(nullptr, QStringLiteral("b"), QStringLiteral("\n\n"));
    EXPECT_EQ(TDocumentWriter::Write(outline, store).Bytes(), QByteArray("qlm oe data form 1.3\r\n"
                                                                         "Tree=2,0=3,1=3\r\n"
                                                                         "nil:a:0\r\n"
                                                                         "nil:b:0\r\n"
                                                                         "Tree=5\r\nnil:x:1\r\n\r\n"
                                                                         "\r\n\r\n\r\n"));
}

TEST_F(DocumentWriterTest, LabelsAreWrittenUnchanged) {
    Add(nullptr, QStringLiteral("a:\"b,c\"=d"), QString());
    EXPECT_EQ(TDocumentWriter::Write(outline, store).Bytes(),
              QByteArray("qlm oe data form 1.3\r\nTree=1,0=0\r\nnil:a:\"b,c\"=d:0\r\n"));
}

TEST_F(DocumentWriterTest, LineBreakInLabelBecomesBlank) {
    Add(nullptr, QStringLiteral("a\nb\r"), QString());
    EXPECT_EQ(TDocumentWriter::Write(outline, store).Bytes(),
              QByteArray("qlm oe data form 1.3\r\nTree=1,0=0\r\nnil:a b :0\r\n"));
}

TEST_F(DocumentWriterTest, LookAlikeCharactersUseWindowsBytes) {
    // U+301C WAVE DASH as input methods type it is written as 81 60.
    Add(nullptr, QStringLiteral("\u301C"), QStringLiteral("1\u301C2"));
    const TDocumentWriter::Output output = TDocumentWriter::Write(outline, store);
    EXPECT_TRUE(output.Complete());
    EXPECT_EQ(output.Bytes(), QByteArray("qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:\x81\x60:0\r\n"
                                         "1\x81\x60"
                                         "2\r\n"));
}

TEST_F(DocumentWriterTest, UnencodableCharactersAreReportedNeverWrittenAsPlaceholder) {
    Add(nullptr, QStringLiteral("A😀"), QStringLiteral("a𠮷b\nok😀\n表"));
    Add(nullptr, QStringLiteral("ok"), QStringLiteral("x😀🍣"));
    const TDocumentWriter::Output output = TDocumentWriter::Write(outline, store);

    EXPECT_EQ(output.unencodable, QStringLiteral("😀𠮷🍣"));
    EXPECT_FALSE(output.Complete());
    EXPECT_EQ(output.Bytes(), QByteArray("qlm oe data form 1.3\r\n"
                                         "Tree=2,0=3,1=1\r\n"
                                         "nil:A?:0\r\n"
                                         "nil:ok:0\r\n"
                                         "a?b\r\nok?\r\n\x95\x5C\r\n"
                                         "x??\r\n"));
    EXPECT_FALSE(output.Bytes().contains("\xFC\xFC"));
}

TEST_F(DocumentWriterTest, EmptyOutlineIsRefused) {
    try {
        TDocumentWriter::Write(outline, store);
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Text(), QStringLiteral("編集中の文章に、内容がありません"));
    }
}

TEST_F(DocumentWriterTest, MissingItemTextFileStopsTheSave) {
    Add(nullptr, QStringLiteral("a"), QStringLiteral("x"));
    outline.Insert(outline.Root(), 1, QStringLiteral("never stored"), 99);
    try {
        TDocumentWriter::Write(outline, store);
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.Text().contains(QStringLiteral("99.tmp"))) << error.what();
    }
}

TEST_F(DocumentWriterTest, StaleCurrentIndexGuard) {
    Add(nullptr, QStringLiteral("a"), QString());
    Add(nullptr, QStringLiteral("b"), QString());
    EXPECT_TRUE(TDocumentWriter::CurrentIndexIsStale(outline, 2));
    EXPECT_FALSE(TDocumentWriter::CurrentIndexIsStale(outline, 1));
    EXPECT_FALSE(TDocumentWriter::CurrentIndexIsStale(outline, -1));
    EXPECT_EQ(
        TDocumentWriter::IndexError001Text(),
        QStringLiteral("IndexError001：作者に連絡してください。もう一度、任意の項目を選択し直して"
                       "からセーブを行ってください。"));
}

TEST(DocumentInMemoryTest, ADocumentMadeWithoutItemFilesReadsBackWithoutThem) {
    TOutline outline;
    TOutlineItem* chapter = outline.Insert(outline.Root(), 0, QStringLiteral("章"), 7);
    outline.Insert(chapter, 0, QStringLiteral("節"), 9);
    const QHash<int, QString> texts = {{7, QStringLiteral("一行目\n\n三行目")}, {9, QString()}};
    const TDocumentWriter::Output output = TDocumentWriter::Write(
        outline, [&](const TOutlineItem& item) { return texts.value(item.ItemNumber); });
    QStringList read;
    const TDocumentReader::Result result = TDocumentReader::ReadInMemory(output.Bytes(), read);
    ASSERT_EQ(result.outline.Count(), 2);
    EXPECT_EQ(result.outline.ItemAt(1)->Label, QStringLiteral("節"));
    EXPECT_EQ(result.outline.ItemAt(1)->Parent(), result.outline.ItemAt(0));
    EXPECT_EQ(read, (QStringList{QStringLiteral("一行目\n\n三行目"), QString()}));
}
