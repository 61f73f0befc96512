#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "document/TDocumentWriter.h"
#include "document/TItemTextStore.h"
#include "document/TOutline.h"
#include "platform/AppError.h"
#include "support/FileSizeLimit.h"
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

TEST(DocumentFileTest, WriteFileReplacesTheDocument) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("memo.qlo"));
    TDocumentWriter::WriteFile(path, {"first version"}, false);
    TDocumentWriter::WriteFile(path, {"second"}, false);
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo")), QByteArray("second"));
    EXPECT_FALSE(QFile::exists(path + QLatin1Char('~')));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("memo.qlo")});
}

TEST(DocumentFileTest, BackupKeepsThePreviousVersion) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("memo.qlo"));
    TDocumentWriter::WriteFile(path, {"one"}, true);  // nothing to back up yet
    EXPECT_FALSE(QFile::exists(path + QLatin1Char('~')));
    TDocumentWriter::WriteFile(path, {"two"}, true);
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo~")), QByteArray("one"));
    TDocumentWriter::WriteFile(path, {"three"}, true);
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo")), QByteArray("three"));
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo~")), QByteArray("two"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("memo.qlo"), QStringLiteral("memo.qlo~")}));
}

TEST(DocumentFileTest, ADocumentReachedThroughALinkStaysALinkAndItsBackupHoldsTheOldBytes) {
    TempDir dir;
    QDir(dir.Path()).mkdir(QStringLiteral("real"));
    dir.Write(QStringLiteral("real/memo.qlo"), "old");
    const QString link = dir.File(QStringLiteral("memo.qlo"));
    ASSERT_TRUE(QFile::link(dir.File(QStringLiteral("real/memo.qlo")), link));
    TDocumentWriter::WriteFile(link, {"new"}, true);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(dir.Read(QStringLiteral("real/memo.qlo")), QByteArray("new"));
    EXPECT_FALSE(QFileInfo(link + QLatin1Char('~')).isSymLink());
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo~")), QByteArray("old"));
}

TEST(DocumentFileTest, FailedWriteLeavesDocumentAndBackupAlone) {
    TempDir dir;
    // The document name is taken by a folder: the new document cannot take its place.
    QDir(dir.Path()).mkdir(QStringLiteral("memo.qlo"));
    dir.Write(QStringLiteral("memo.qlo/inner"), "kept");
    dir.Write(QStringLiteral("memo.qlo~"), "old backup");
    const QString path = dir.File(QStringLiteral("memo.qlo"));

    EXPECT_THROW(TDocumentWriter::WriteFile(path, {"new"}, true), AppError);
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo~")), QByteArray("old backup"));
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo/inner")), QByteArray("kept"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("memo.qlo~")});
}

TEST(DocumentFileTest, AMissingFolderIsNamedAsTheReason) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("no/such/memo.qlo"));
    try {
        TDocumentWriter::WriteFile(path, {"x"}, false);
        FAIL() << "written";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Text(),
                  QStringLiteral("ファイル %1 を作成できません\nフォルダーがありません。")
                      .arg(QDir::toNativeSeparators(path)));
    }
}

TEST(DocumentFileTest, AWriteBeyondTheFileSizeLimitGivesTheSystemsReason) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("memo.qlo"));
    QString text;
    try {
        const FileSizeLimit limit(16);
        TDocumentWriter::WriteFile(path, {QByteArray(100, 'x')}, false);
    } catch (const AppError& error) {
        text = error.Text();
    }
    const QStringList lines = text.split(u'\n');
    ASSERT_EQ(lines.size(), 2) << text.toStdString();
    EXPECT_EQ(lines[0],
              QStringLiteral("ファイル %1 を作成できません").arg(QDir::toNativeSeparators(path)));
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(DocumentFileTest, TheNextSaveRemovesABackupLeftHalfMade) {
    TempDir dir;
    dir.Write(QStringLiteral("memo.qlo~.part"), "half");
    TDocumentWriter::WriteFile(dir.File(QStringLiteral("memo.qlo")), {"new"}, false);
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("memo.qlo")});
}

TEST(DocumentFileTest, AChangeShowsEvenWithTheSameSizeAndTime) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("memo.qlo"));
    // More than one block of the hash, split off the blocks' bounds.
    const QByteArray head(1000, 'h');
    QByteArray texts(3 << 20, 't');
    TDocumentWriter::WriteFile(path, {head, texts}, false);
    const TDocumentWriter::Fingerprint written =
        TDocumentWriter::FingerprintOf(path, {head, texts});
    EXPECT_TRUE(written.IsFor(dir.Path() + QStringLiteral("./memo.qlo")));
    EXPECT_FALSE(TDocumentWriter::ChangedSince(written));

    // The same size and modification time, one byte other.
    const QDateTime modified = QFileInfo(path).lastModified();
    texts[texts.size() / 2] = 'x';
    TDocumentWriter::WriteFile(path, {head, texts}, false);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    EXPECT_TRUE(TDocumentWriter::ChangedSince(written));

    // Only touched: the same bytes at another time are no change.
    const TDocumentWriter::Fingerprint again = TDocumentWriter::FingerprintOf(path, {head, texts});
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(modified.addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_FALSE(TDocumentWriter::ChangedSince(again));

    QFile::remove(path);
    EXPECT_FALSE(TDocumentWriter::ChangedSince(written)) << "nothing left to lose";
}
