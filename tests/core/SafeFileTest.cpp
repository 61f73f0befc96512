#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/AppError.h"
#include "platform/TFileFingerprint.h"
#include "platform/TSafeFile.h"
#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

TEST(SafeFileTest, ReplaceReplacesTheFileAndLeavesNothingElse) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("memo.qlo"));
    TSafeFile::Replace(path, {"first version"}, {});
    TSafeFile::Replace(path, {"second"}, {});
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo")), QByteArray("second"));
    EXPECT_FALSE(QFile::exists(path + QLatin1Char('~')));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("memo.qlo")});
}

TEST(SafeFileTest, BackupKeepsThePreviousVersion) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("memo.qlo"));
    TSafeFile::Replace(path, {"one"},
                       TSafeFile::Options::KeepingBackup(true));  // nothing to back up yet
    EXPECT_FALSE(QFile::exists(path + QLatin1Char('~')));
    TSafeFile::Replace(path, {"two"}, TSafeFile::Options::KeepingBackup(true));
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo~")), QByteArray("one"));
    TSafeFile::Replace(path, {"three"}, TSafeFile::Options::KeepingBackup(true));
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo")), QByteArray("three"));
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo~")), QByteArray("two"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("memo.qlo"), QStringLiteral("memo.qlo~")}));
}

TEST(SafeFileTest, ADocumentReachedThroughALinkStaysALinkAndItsBackupHoldsTheOldBytes) {
    TempDir dir;
    QDir(dir.Path()).mkdir(QStringLiteral("real"));
    dir.Write(QStringLiteral("real/memo.qlo"), "old");
    const QString link = dir.File(QStringLiteral("memo.qlo"));
    ASSERT_TRUE(QFile::link(dir.File(QStringLiteral("real/memo.qlo")), link));
    TSafeFile::Replace(link, {"new"}, TSafeFile::Options::KeepingBackup(true));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(dir.Read(QStringLiteral("real/memo.qlo")), QByteArray("new"));
    EXPECT_FALSE(QFileInfo(link + QLatin1Char('~')).isSymLink());
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo~")), QByteArray("old"));
}

TEST(SafeFileTest, FailedWriteLeavesDocumentAndBackupAlone) {
    TempDir dir;
    // The document name is taken by a folder: the new document cannot take its place.
    QDir(dir.Path()).mkdir(QStringLiteral("memo.qlo"));
    dir.Write(QStringLiteral("memo.qlo/inner"), "kept");
    dir.Write(QStringLiteral("memo.qlo~"), "old backup");
    const QString path = dir.File(QStringLiteral("memo.qlo"));

    try {
        TSafeFile::Replace(path, {"new"}, TSafeFile::Options::KeepingBackup(true));
        FAIL() << "written";
    } catch (const AppError& error) {
        // The reason in the program's language, as the others are.
        EXPECT_TRUE(error.Text().endsWith(u"\nファイルではなくフォルダーです。"))
            << error.Text().toStdString();
    }
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo~")), QByteArray("old backup"));
    EXPECT_EQ(dir.Read(QStringLiteral("memo.qlo/inner")), QByteArray("kept"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("memo.qlo~")});
}

TEST(SafeFileTest, AMissingFolderIsNamedAsTheReason) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("no/such/memo.qlo"));
    try {
        TSafeFile::Replace(path, {"x"}, {});
        FAIL() << "written";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Text(),
                  QStringLiteral("ファイル %1 を作成できません\nフォルダーがありません。")
                      .arg(QDir::toNativeSeparators(path)));
    }
}

TEST(SafeFileTest, AWriteBeyondTheFileSizeLimitGivesTheSystemsReason) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("memo.qlo"));
    QString text;
    try {
        const FileSizeLimit limit(16);
        TSafeFile::Replace(path, {QByteArray(100, 'x')}, {});
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

TEST(SafeFileTest, TheNextSaveRemovesABackupLeftHalfMade) {
    TempDir dir;
    dir.Write(QStringLiteral("memo.qlo~.part"), "half");
    TSafeFile::Replace(dir.File(QStringLiteral("memo.qlo")), {"new"}, {});
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("memo.qlo")});
}

TEST(FileFingerprintTest, AChangeShowsEvenWithTheSameSizeAndTime) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("memo.qlo"));
    // More than one block of the hash, split off the blocks' bounds.
    const QByteArray head(1000, 'h');
    QByteArray texts(3 << 20, 't');
    TSafeFile::Replace(path, {head, texts}, {});
    const TFileFingerprint written = TFileFingerprint::Of(path, {head, texts});
    EXPECT_TRUE(written.IsFor(dir.Path() + QStringLiteral("./memo.qlo")));
    EXPECT_FALSE(TFileFingerprint::ChangedSince(written));

    // The same size and modification time, one byte other.
    const QDateTime modified = QFileInfo(path).lastModified();
    texts[texts.size() / 2] = 'x';
    TSafeFile::Replace(path, {head, texts}, {});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(QFileInfo(path).lastModified(), modified);
    EXPECT_TRUE(TFileFingerprint::ChangedSince(written));

    // Only touched: the same bytes at another time are no change.
    const TFileFingerprint again = TFileFingerprint::Of(path, {head, texts});
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(modified.addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_FALSE(TFileFingerprint::ChangedSince(again));

    QFile::remove(path);
    EXPECT_FALSE(TFileFingerprint::ChangedSince(written)) << "nothing left to lose";
}

TEST(SafeFileTest, AFileMadeAsItIsWrittenHoldsThePiecesInOrderOrNothingWhenCalledOff) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("out.opml"));
    dir.Write(QStringLiteral("out.opml"), "old");
    const QByteArray large(3 << 20, 'x');  // large enough to be sent to the disk at once
    const auto produce = [&](bool finish) {
        return [&, finish](const TSafeFile::Append& append) {
            append("head ");
            append(large);
            append(" tail");
            return finish;
        };
    };
    EXPECT_FALSE(TSafeFile::ReplaceAsMade(path, produce(false), {}));
    EXPECT_EQ(dir.Read(QStringLiteral("out.opml")), QByteArray("old"));
    for (const TSafeFile::Options& options :
         {TSafeFile::Options(), TSafeFile::Options::ThroughNamedFile(
                                    QStringLiteral(".new"), TWholeFile::Durability::Cached)}) {
        QFile::remove(path);
        EXPECT_TRUE(TSafeFile::ReplaceAsMade(path, produce(true), options));
        EXPECT_TRUE(dir.Read(QStringLiteral("out.opml")) == "head " + large + " tail");
        EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("out.opml")});
    }
}

TEST(SafeFileTest, AFileMadeAsItIsWrittenThatFailsHalfWayLeavesTheOldOne) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("out.opml"));
    dir.Write(QStringLiteral("out.opml"), "old");
    int appended = 0;
    {
        const FileSizeLimit limit(3 << 20);
        EXPECT_THROW(TSafeFile::ReplaceAsMade(path,
                                              [&](const TSafeFile::Append& append) {
                                                  for (; appended < 5; ++appended)
                                                      append(QByteArray(1 << 20, 'x'));
                                                  return true;
                                              },
                                              {}),
                     AppError);
    }
    EXPECT_EQ(appended, 5);
    EXPECT_EQ(dir.Read(QStringLiteral("out.opml")), QByteArray("old"));
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files), QStringList{QStringLiteral("out.opml")});
}
