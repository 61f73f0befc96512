#include <gtest/gtest.h>

#include "platform/AppError.h"
#include "settings/TSettingsFile.h"
#include "support/TempDir.h"

namespace {

TEST(SettingsFile, LinesAreCodePage932WithCrLf) {
    const QStringList lines = {QStringLiteral("iniFileVer=1.06"),
                               QString::fromUtf16(u"TreeFontName=ＭＳ Ｐ明朝"), QString()};
    const QByteArray bytes = TSettingsFile::Format(lines);
    EXPECT_EQ(
        bytes,
        QByteArray(
            "iniFileVer=1.06\r\nTreeFontName=\x82\x6c\x82\x72 \x82\x6f\x96\xbe\x92\xa9\r\n\r\n"));
    EXPECT_EQ(TSettingsFile::Parse(bytes), lines);
}

TEST(SettingsFile, PathsCodePage932CannotHoldExactlyComeBackUnchanged) {
    // An emoji has no code page 932 form; a wave dash would come back as a full-width
    // tilde and name another folder.
    for (const char16_t* folder : {u"/home/u/旅行😀/memo.qlo", u"/home/u/東京〜大阪/memo.qlo"}) {
        const QStringList lines = {QStringLiteral("iniFileVer=1.06"),
                                   QStringLiteral("EditFile=") + QString::fromUtf16(folder)};
        const QByteArray bytes = TSettingsFile::Format(lines);
        EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
        EXPECT_TRUE(bytes.endsWith("memo.qlo\r\n"));
        EXPECT_EQ(TSettingsFile::Parse(bytes), lines);
    }
}

TEST(SettingsFile, AHandWrittenUtf8FileWithItsMarkReads) {
    EXPECT_EQ(
        TSettingsFile::Parse("\xEF\xBB\xBF"
                             "EditFile=/\xE6\x97\x85/a.qlo\nAutoLoad=1"),
        QStringList({QString::fromUtf16(u"EditFile=/旅/a.qlo"), QStringLiteral("AutoLoad=1")}));
}

TEST(SettingsFile, AWriteIntoAMissingFolderSaysSo) {
    TempDir dir;
    const QString path = dir.File(QStringLiteral("gone/Hedgerow.ini"));
    try {
        TSettingsFile::Write(path, {QStringLiteral("AutoLoad=1")});
        FAIL() << "written";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Text(),
                  QStringLiteral("ファイル %1 を作成できません\nフォルダーがありません。")
                      .arg(QDir::toNativeSeparators(path)));
    }
}

TEST(SettingsFile, ANulKeepsTheLinesAfterIt) {
    const QByteArray bytes("A=1\r\nB=x\0y\r\nC=2\r\n", 17);
    const QStringList lines = TSettingsFile::Parse(bytes);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[2], QStringLiteral("C=2"));
    EXPECT_EQ(TSettingsFile::Format(lines), bytes);
}

}  // namespace
