#include "platform/TProgramFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kProgramFolder = QStringLiteral("hedgerow");

QString WithSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString BaseFolder(const char* variable, const QString& fallback) {
    const QString value = qEnvironmentVariable(variable);
    const QString folder =
        !value.isEmpty() && QDir::isAbsolutePath(value) ? value : QDir::homePath() + fallback;
    return QDir::cleanPath(folder);
}

// Writable for this process, and meant to be written: root may write anywhere, so a
// folder without any write permission counts as read-only for root too.
bool IsWritableFolder(const QString& folder) {
    const QFileInfo info(folder);
    const auto writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return info.isDir() && info.isWritable() && (info.permissions() & writeBits);
}

// <prefix>/share/hedgerow for an executable in <prefix>/bin; empty when there is none.
QString InstalledShareFolder(const QString& exeDir) {
    const QString share = QDir::cleanPath(exeDir + QStringLiteral("../share/") + kProgramFolder);
    return QFileInfo(share).isDir() ? WithSeparator(share) : QString();
}

// Makes folder and its missing parents; each folder made is private to the user.
bool MakePrivatePath(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isDir()) return true;
    const QString parent = info.absoluteDir().absolutePath();
    if (parent != info.absoluteFilePath() && !MakePrivatePath(parent)) return false;
    return QDir().mkdir(folder) &&
           QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

TProgramFolders TProgramFolders::ForExecutable(const QString& exeDir) {
    const QString share = InstalledShareFolder(exeDir);
    if (share.isEmpty() && IsWritableFolder(exeDir)) return BesideExecutable(exeDir);
    // A read-only copy without a share folder still has its skin beside it.
    return Installed(exeDir, share.isEmpty() ? exeDir : share, ConfigHome(), DataHome());
}

TProgramFolders TProgramFolders::BesideExecutable(const QString& exeDir) {
    TProgramFolders folders;
    folders.exeDir_ = WithSeparator(exeDir);
    folders.settingsFolder_ = folders.exeDir_;
    folders.dataFolder_ = folders.exeDir_ + QStringLiteral("Data/");
    folders.skinFolder_ = folders.dataFolder_;
    folders.helpFolder_ = folders.exeDir_;
    folders.documentFolder_ = folders.exeDir_;
    return folders;
}

TProgramFolders TProgramFolders::Installed(const QString& exeDir, const QString& shareDir,
                                           const QString& configHome, const QString& dataHome) {
    TProgramFolders folders;
    folders.installed_ = true;
    folders.exeDir_ = WithSeparator(exeDir);
    folders.settingsFolder_ = WithSeparator(configHome) + kProgramFolder + QLatin1Char('/');
    folders.dataFolder_ = WithSeparator(dataHome) + kProgramFolder + QStringLiteral("/Data/");
    folders.skinFolder_ = WithSeparator(shareDir) + QStringLiteral("Data/");
    folders.helpFolder_ = WithSeparator(shareDir);
    folders.documentFolder_ = WithSeparator(QDir::homePath());
    return folders;
}

QString TProgramFolders::ConfigHome() {
    return BaseFolder("XDG_CONFIG_HOME", QStringLiteral("/.config"));
}

QString TProgramFolders::DataHome() {
    return BaseFolder("XDG_DATA_HOME", QStringLiteral("/.local/share"));
}

bool TProgramFolders::CreateUserFolders() const {
    if (!installed_) return true;
    return MakePrivatePath(QDir::cleanPath(settingsFolder_)) &&
           MakePrivatePath(QDir::cleanPath(dataFolder_));
}
