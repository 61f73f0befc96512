#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/TProgramFolders.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace {

class ProgramFoldersTest : public testing::Test {
  protected:
    QString Config() const { return temp.Path() + QStringLiteral("home/.config"); }
    QString Data() const { return temp.Path() + QStringLiteral("home/data"); }

    TempDir temp;
    ScopedEnv config_{"XDG_CONFIG_HOME", Config().toUtf8()};
    ScopedEnv data_{"XDG_DATA_HOME", Data().toUtf8()};
};

TEST_F(ProgramFoldersTest, WritableFolderKeepsEverythingBesideTheExecutable) {
    const TProgramFolders folders = TProgramFolders::ForExecutable(temp.Path());
    EXPECT_FALSE(folders.IsInstalled());
    EXPECT_EQ(folders.ExeDir(), temp.Path());
    EXPECT_EQ(folders.SettingsPath(), temp.File(QStringLiteral("Hedgerow.ini")));
    EXPECT_EQ(folders.DataFolder(), temp.File(QStringLiteral("Data/")));
    EXPECT_EQ(folders.SkinFolder(), temp.File(QStringLiteral("Data/")));
    EXPECT_EQ(folders.HelpFolder(), temp.Path());
    EXPECT_EQ(folders.DocumentFolder(), temp.Path());
    EXPECT_TRUE(folders.CreateUserFolders());
    EXPECT_FALSE(QFileInfo::exists(Config())) << "nothing is made outside the program's folder";
}

TEST_F(ProgramFoldersTest, ReadOnlyFolderKeepsTheUsersFilesInTheXdgFolders) {
    const QString exeDir = temp.File(QStringLiteral("readonly/"));
    QDir().mkpath(exeDir);
    QFile::setPermissions(exeDir,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    const TProgramFolders folders = TProgramFolders::ForExecutable(exeDir);
    QFile::setPermissions(exeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(folders.IsInstalled());
    EXPECT_EQ(folders.SettingsPath(), Config() + QStringLiteral("/hedgerow/Hedgerow.ini"));
    EXPECT_EQ(folders.DataFolder(), Data() + QStringLiteral("/hedgerow/Data/"));
    EXPECT_EQ(folders.SkinFolder(), exeDir + QStringLiteral("Data/")) << "no share folder: beside";
    EXPECT_EQ(folders.HelpFolder(), exeDir);
}

TEST_F(ProgramFoldersTest, BinFolderOfAPrefixReadsSkinAndHelpFromItsShareFolder) {
    QDir().mkpath(temp.File(QStringLiteral("prefix/bin")));
    QDir().mkpath(temp.File(QStringLiteral("prefix/share/hedgerow/Data")));
    const TProgramFolders folders =
        TProgramFolders::ForExecutable(temp.File(QStringLiteral("prefix/bin/")));
    EXPECT_TRUE(folders.IsInstalled()) << "even when the prefix can be written to";
    EXPECT_EQ(folders.SkinFolder(), temp.File(QStringLiteral("prefix/share/hedgerow/Data/")));
    EXPECT_EQ(folders.HelpFolder(), temp.File(QStringLiteral("prefix/share/hedgerow/")));
    EXPECT_EQ(folders.SettingsPath(), Config() + QStringLiteral("/hedgerow/Hedgerow.ini"));
}

TEST_F(ProgramFoldersTest, UserFoldersAreMadePrivateWhenMissing) {
    const TProgramFolders folders = TProgramFolders::Installed(
        temp.Path(), temp.Path(), TProgramFolders::ConfigHome(), TProgramFolders::DataHome());
    ASSERT_TRUE(folders.CreateUserFolders());
    const auto privateOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    for (const QString& folder :
         {Config() + QStringLiteral("/hedgerow"), Data() + QStringLiteral("/hedgerow"),
          Data() + QStringLiteral("/hedgerow/Data")}) {
        const QFileInfo info(folder);
        EXPECT_TRUE(info.isDir()) << folder.toStdString();
        EXPECT_EQ(info.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
                  privateOnly)
            << folder.toStdString();
    }
    EXPECT_TRUE(folders.CreateUserFolders()) << "existing folders are fine";
}

}  // namespace
