#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QStandardPaths>

#include "platform/AppError.h"
#include "platform/TDesktopAssociation.h"
#include "support/Printers.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

namespace {

// Every file below folder with its bytes, by relative path.
QMap<QString, QByteArray> Snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        files.insert(path.mid(folder.size()), file.readAll());
    }
    return files;
}

class DesktopAssociationTest : public testing::Test {
  protected:
    void SetUp() override {
        QImage icon(64, 64, QImage::Format_ARGB32);
        icon.fill(Qt::darkGreen);
        ASSERT_TRUE(icon.save(temp.File(QStringLiteral("icon.png"))));
    }

    QString Data() const { return temp.Path() + QStringLiteral("data"); }
    QString Config() const { return temp.Path() + QStringLiteral("config"); }
    QString Read(const QString& path) const {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return QString::fromUtf8(file.readAll());
    }
    TDesktopAssociation Make(const QString& exePath, bool refresh = false) const {
        TDesktopAssociation association(exePath, temp.File(QStringLiteral("icon.png")));
        association.SetRefreshDatabases(refresh);
        return association;
    }

    TempDir temp;
    ScopedEnv data_{"XDG_DATA_HOME", (temp.Path() + QStringLiteral("data")).toUtf8()};
    ScopedEnv config_{"XDG_CONFIG_HOME", (temp.Path() + QStringLiteral("config")).toUtf8()};
};

TEST_F(DesktopAssociationTest, FoldersComeFromTheEnvironment) {
    EXPECT_EQ(TDesktopAssociation::DataHome(), Data());
    EXPECT_EQ(TDesktopAssociation::ConfigHome(), Config());
    EXPECT_EQ(TDesktopAssociation::DesktopEntryPath(),
              Data() + QStringLiteral("/applications/qlm-outline-editor.desktop"));
    EXPECT_EQ(TDesktopAssociation::MimePackagePath(),
              Data() + QStringLiteral("/mime/packages/qlm-outline-editor.xml"));
    EXPECT_EQ(TDesktopAssociation::MimeAppsPath(), Config() + QStringLiteral("/mimeapps.list"));
}

TEST_F(DesktopAssociationTest, FoldersDefaultBelowHomeWhenUnsetOrRelative) {
    ScopedEnv home("HOME", temp.Path().chopped(1).toUtf8());
    ScopedEnv data("XDG_DATA_HOME", "");
    ScopedEnv config("XDG_CONFIG_HOME", "relative/config");
    EXPECT_EQ(TDesktopAssociation::DataHome(), temp.Path() + QStringLiteral(".local/share"));
    EXPECT_EQ(TDesktopAssociation::ConfigHome(), temp.Path() + QStringLiteral(".config"));
}

TEST_F(DesktopAssociationTest, RegisterWritesTheRunningProgramsPathAndThePlaceholder) {
    const QString exe = QCoreApplication::applicationFilePath();
    ASSERT_TRUE(QDir::isAbsolutePath(exe));
    Make(exe).Register();

    const QString entry = Read(TDesktopAssociation::DesktopEntryPath());
    EXPECT_TRUE(entry.startsWith(QStringLiteral("[Desktop Entry]\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nType=Application\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nName=qlm outline editor\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=") + exe + QStringLiteral(" %f\n")))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains(QStringLiteral("\nIcon=qlm-outline-editor\n")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nMimeType=application/x-qlm-outline;\n")));

    const QString package = Read(TDesktopAssociation::MimePackagePath());
    EXPECT_TRUE(package.contains(QStringLiteral("<mime-type type=\"application/x-qlm-outline\">")));
    EXPECT_TRUE(package.contains(QStringLiteral("<glob pattern=\"*.qlo\"/>")));

    QFile icon(TDesktopAssociation::IconPath(QStringLiteral("64x64")));
    ASSERT_TRUE(icon.open(QIODevice::ReadOnly));
    EXPECT_EQ(icon.readAll(), temp.Read(QStringLiteral("icon.png")));
    EXPECT_EQ(Read(TDesktopAssociation::MimeAppsPath()),
              QStringLiteral("[Default Applications]\n"
                             "application/x-qlm-outline=qlm-outline-editor.desktop\n"));
}

TEST_F(DesktopAssociationTest, ExecQuotesPathsWithReservedCharacters) {
    EXPECT_EQ(TDesktopAssociation::ExecValue(QStringLiteral("/opt/hedgerow/hedgerow")),
              QStringLiteral("/opt/hedgerow/hedgerow %f"));
    EXPECT_EQ(TDesktopAssociation::ExecValue(QStringLiteral("/home/me/my apps/hedgerow")),
              QStringLiteral("\"/home/me/my apps/hedgerow\" %f"));
    // Inside quotes ", `, $ and \ take a backslash; then every backslash is doubled
    // by the string escapes of the file.
    EXPECT_EQ(TDesktopAssociation::ExecValue(QStringLiteral("/a\"b/c$d/e\\f/hedgerow")),
              QStringLiteral("\"/a\\\\\"b/c\\\\$d/e\\\\\\\\f/hedgerow\" %f"));
    EXPECT_EQ(TDesktopAssociation::ExecValue(QStringLiteral("/data/100%/hedgerow")),
              QStringLiteral("/data/100%%/hedgerow %f"));
    EXPECT_EQ(TDesktopAssociation::ExecValue(QStringLiteral("/home/me/ノート/hedgerow")),
              QStringLiteral("/home/me/ノート/hedgerow %f"));
}

TEST_F(DesktopAssociationTest, RegisteringAgainAfterAMoveRewritesThePath) {
    Make(QStringLiteral("/opt/old/hedgerow")).Register();
    const auto first = Snapshot(temp.Path());
    Make(QStringLiteral("/home/me/new place/hedgerow")).Register();
    const QString entry = Read(TDesktopAssociation::DesktopEntryPath());
    EXPECT_FALSE(entry.contains(QStringLiteral("/opt/old")));
    EXPECT_TRUE(entry.contains(QStringLiteral("\nExec=\"/home/me/new place/hedgerow\" %f\n")));
    const auto second = Snapshot(temp.Path());
    EXPECT_EQ(first.keys(), second.keys());
    EXPECT_EQ(Read(TDesktopAssociation::MimeAppsPath()),
              QStringLiteral("[Default Applications]\n"
                             "application/x-qlm-outline=qlm-outline-editor.desktop\n"));
}

TEST_F(DesktopAssociationTest, RegisteringTwiceLeavesTheSameFiles) {
    Make(QStringLiteral("/opt/hedgerow/hedgerow")).Register();
    const auto first = Snapshot(temp.Path());
    Make(QStringLiteral("/opt/hedgerow/hedgerow")).Register();
    EXPECT_EQ(Snapshot(temp.Path()), first);
}

TEST_F(DesktopAssociationTest, RemoveDeletesExactlyWhatRegisterWroteAndKeepsForeignFiles) {
    temp.Write(QStringLiteral("data/applications/other.desktop"), "[Desktop Entry]\nName=Other\n");
    temp.Write(QStringLiteral("data/mime/packages/other.xml"), "<mime-info/>\n");
    temp.Write(QStringLiteral("data/icons/hicolor/64x64/apps/other.png"), "png");
    temp.Write(QStringLiteral("config/mimeapps.list"),
               "[Added Associations]\ntext/plain=other.desktop;\n\n"
               "[Default Applications]\ntext/plain=other.desktop\n"
               "application/x-qlm-outline=other.desktop;\n");
    const auto before = Snapshot(temp.Path());

    Make(QStringLiteral("/opt/hedgerow/hedgerow")).Register();
    EXPECT_EQ(
        Read(TDesktopAssociation::MimeAppsPath()),
        QStringLiteral("[Added Associations]\ntext/plain=other.desktop;\n\n"
                       "[Default Applications]\ntext/plain=other.desktop\n"
                       "application/x-qlm-outline=qlm-outline-editor.desktop;other.desktop;\n"));
    Make(QStringLiteral("/opt/hedgerow/hedgerow")).Remove();
    EXPECT_EQ(Snapshot(temp.Path()), before);
}

TEST_F(DesktopAssociationTest, RemoveTakesOutTheGroupItAddedToAForeignMimeappsList) {
    temp.Write(QStringLiteral("config/mimeapps.list"),
               "[Added Associations]\ntext/plain=other.desktop;\n");
    const auto before = Snapshot(temp.Path());
    Make(QStringLiteral("/opt/hedgerow/hedgerow")).Register();
    EXPECT_EQ(Read(TDesktopAssociation::MimeAppsPath()),
              QStringLiteral("[Added Associations]\ntext/plain=other.desktop;\n\n"
                             "[Default Applications]\n"
                             "application/x-qlm-outline=qlm-outline-editor.desktop\n"));
    Make(QStringLiteral("/opt/hedgerow/hedgerow")).Remove();
    EXPECT_EQ(Snapshot(temp.Path()), before);
}

TEST_F(DesktopAssociationTest, InstalledCopyOnlyMakesItsInstalledEntryTheDefaultAndTakesItBack) {
    temp.Write(QStringLiteral("config/mimeapps.list"),
               "[Default Applications]\napplication/x-qlm-outline=other.desktop;\n");
    const auto before = Snapshot(temp.Path());
    TDesktopAssociation installed = TDesktopAssociation::ForInstalledEntry();
    installed.Register();
    EXPECT_EQ(Read(TDesktopAssociation::MimeAppsPath()),
              QStringLiteral("[Default Applications]\napplication/x-qlm-outline="
                             "invalid.hedgerow.Hedgerow.desktop;other.desktop;\n"));
    EXPECT_TRUE(Snapshot(Data()).isEmpty())
        << "the installation already holds entry, type and icon";
    installed.Remove();
    EXPECT_EQ(Snapshot(temp.Path()), before);
}

TEST_F(DesktopAssociationTest, RemoveLeavesNoFileOfOursBehind) {
    Make(QStringLiteral("/opt/hedgerow/hedgerow")).Register();
    Make(QStringLiteral("/elsewhere/hedgerow")).Remove();
    EXPECT_TRUE(Snapshot(Data()).isEmpty()) << Snapshot(Data()).keys().join(u' ').toStdString();
    EXPECT_TRUE(Snapshot(Config()).isEmpty());
}

TEST_F(DesktopAssociationTest, RemoveWithNothingRegisteredCreatesNothingAndDoesNotThrow) {
    EXPECT_NO_THROW(Make(QStringLiteral("/opt/hedgerow/hedgerow")).Remove());
    EXPECT_TRUE(Snapshot(temp.Path()).keys() == QStringList{QStringLiteral("icon.png")});
}

TEST_F(DesktopAssociationTest, BlockedDataFolderThrowsWithThePath) {
    temp.Write(QStringLiteral("data"), "a file where the folder should be");
    try {
        Make(QStringLiteral("/opt/hedgerow/hedgerow")).Register();
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_TRUE(
            error.Text().startsWith(QStringLiteral("ファイル ") + Data() + QLatin1Char('/')))
            << error.Text().toStdString();
        EXPECT_TRUE(error.Text().endsWith(QStringLiteral(" を作成できません")));
    }
    EXPECT_FALSE(QFileInfo::exists(TDesktopAssociation::MimeAppsPath()));
    EXPECT_NO_THROW(Make(QStringLiteral("/opt/hedgerow/hedgerow")).Remove());
}

TEST_F(DesktopAssociationTest, BlockedConfigFolderThrowsWithTheMimeappsPath) {
    temp.Write(QStringLiteral("config"), "a file where the folder should be");
    try {
        Make(QStringLiteral("/opt/hedgerow/hedgerow")).Register();
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Text(), AppError::CannotCreate(TDesktopAssociation::MimeAppsPath()).Text());
    }
    // What was written before stays, as with the registry.
    EXPECT_TRUE(QFileInfo::exists(TDesktopAssociation::DesktopEntryPath()));
}

TEST_F(DesktopAssociationTest, ReadOnlyFolderThrowsAndRemovalStaysQuiet) {
    if (geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    QDir().mkpath(Data() + QStringLiteral("/applications"));
    QFile::setPermissions(Data() + QStringLiteral("/applications"),
                          QFile::ReadOwner | QFile::ExeOwner);
    try {
        Make(QStringLiteral("/opt/hedgerow/hedgerow")).Register();
        ADD_FAILURE() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.Text(),
                  AppError::CannotCreate(TDesktopAssociation::DesktopEntryPath()).Text());
    }
    EXPECT_NO_THROW(Make(QStringLiteral("/opt/hedgerow/hedgerow")).Remove());
    QFile::setPermissions(Data() + QStringLiteral("/applications"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(DesktopAssociationTest, DatabasesOfTheDesktopKnowTheTypeUntilRemoval) {
    if (QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
        GTEST_SKIP() << "update-mime-database is not installed";
    Make(QStringLiteral("/opt/hedgerow/hedgerow"), true).Register();
    EXPECT_TRUE(Read(Data() + QStringLiteral("/mime/globs2"))
                    .contains(QStringLiteral("application/x-qlm-outline:*.qlo")));
    if (!QStandardPaths::findExecutable(QStringLiteral("update-desktop-database")).isEmpty()) {
        EXPECT_TRUE(
            Read(Data() + QStringLiteral("/applications/mimeinfo.cache"))
                .contains(QStringLiteral("application/x-qlm-outline=qlm-outline-editor.desktop;")));
    }
    Make(QStringLiteral("/opt/hedgerow/hedgerow"), true).Remove();
    EXPECT_FALSE(Read(Data() + QStringLiteral("/mime/globs2")).contains(QStringLiteral("qlo")));
    EXPECT_FALSE(Read(Data() + QStringLiteral("/applications/mimeinfo.cache"))
                     .contains(QStringLiteral("qlm")));
    EXPECT_FALSE(QFileInfo::exists(TDesktopAssociation::DesktopEntryPath()));
}

TEST(DesktopAssociationMimeApps, OwnEntryMovesToTheFrontOfAnExistingList) {
    const QStringList lines = {
        QStringLiteral("[Default Applications]"),
        QStringLiteral("application/x-qlm-outline=a.desktop;qlm-outline-editor.desktop;")};
    const QStringList with = TDesktopAssociation::WithDefaultEntry(lines);
    EXPECT_EQ(with[1],
              QStringLiteral("application/x-qlm-outline=qlm-outline-editor.desktop;a.desktop;"));
    EXPECT_EQ(TDesktopAssociation::WithoutDefaultEntry(with)[1],
              QStringLiteral("application/x-qlm-outline=a.desktop;"));
}

TEST(DesktopAssociationMimeApps, RemovalKeepsOtherEntriesOfTheGroup) {
    const QStringList lines = {
        QStringLiteral("[Default Applications]"),
        QStringLiteral("application/x-qlm-outline=qlm-outline-editor.desktop"),
        QStringLiteral("text/html=browser.desktop")};
    EXPECT_EQ(TDesktopAssociation::WithoutDefaultEntry(lines),
              QStringList({QStringLiteral("[Default Applications]"),
                           QStringLiteral("text/html=browser.desktop")}));
}

}  // namespace
