#include "platform/TSafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <optional>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

#include "platform/AppError.h"
#include "platform/SystemReason.h"

namespace {

// The temporary file the bytes go to first, named or not.
class PendingFile {
  public:
    // Item files are written by the thousand through named files: they go without the
    // unnamed file's object.
    PendingFile(const QString& path, const TSafeFile::Options& options)
        : path_(path), options_(options) {
        if (Named()) return;
        unnamed_.emplace(path);
        unnamed_->setDirectWriteFallback(false);
    }
    ~PendingFile() {
        if (unnamed_) unnamed_->cancelWriting();
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    int Write(const QList<QByteArrayView>& pieces) {
        if (Named()) {
            const int error = TWholeFile::Write(NamedPath(), pieces, options_.durability);
            if (error != 0) QFile::remove(NamedPath());
            return error;
        }
        // QFileDevice keeps no error number: each step's errno is read right after it.
        if (const int error =
                SystemReason::ErrorOf([&] { return unnamed_->open(QIODevice::WriteOnly); }))
            return error;
        for (const QByteArrayView piece : pieces) {
            if (const int error = SystemReason::ErrorOf(
                    [&] { return unnamed_->write(piece.data(), piece.size()) == piece.size(); }))
                return error;
        }
        // What is still buffered goes out here rather than in commit(), so that a full
        // disk is reported with its reason.
        return SystemReason::ErrorOf([&] { return unnamed_->flush(); });
    }

    // Gives the written file the name path.
    int TakeTheName() {
        if (Named()) {
            const int error = TWholeFile::Replace(NamedPath(), path_);
            if (error != 0) QFile::remove(NamedPath());
            return error;
        }
        return SystemReason::ErrorOf([&] { return unnamed_->commit(); });
    }

  private:
    bool Named() const { return !options_.pendingSuffix.isEmpty(); }
    QString NamedPath() const { return path_ + options_.pendingSuffix; }

    const QString& path_;
    const TSafeFile::Options& options_;
    std::optional<QSaveFile> unnamed_;
};

// Makes `keep` a second name of the file at path (a hard link, so that nothing is
// copied), or a copy where the file system has no links. For a file reached through a
// symbolic link, the backup holds the target's old content, not the link.
bool KeepOldFile(const QString& path, const QString& keep) {
#ifdef Q_OS_UNIX
    if (::linkat(AT_FDCWD, QFile::encodeName(path).constData(), AT_FDCWD,
                 QFile::encodeName(keep).constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
#endif
    return QFile::copy(path, keep);
}

}  // namespace

int TSafeFile::TryReplace(const QString& path, const QList<QByteArrayView>& pieces,
                          const Options& options) {
    if (options.makeFolders && !QDir().mkpath(QFileInfo(path).absolutePath()))
        return TWholeFile::kNoReason;
    const bool unnamed = options.pendingSuffix.isEmpty();
    // A name taken by a folder is refused by QSaveFile without asking the system.
    if (unnamed && QFileInfo(path).isDir()) return EISDIR;

    PendingFile pending(path, options);
    if (const int error = pending.Write(pieces)) return error;

    // The backup is prepared as a second name of the old file before the new one
    // replaces it, and takes the backup's name only after that succeeded: a failed
    // write leaves both the old file and the old backup as they were.
    const QString backupPath = path + QLatin1Char('~');
    const QString pendingBackup = backupPath + QStringLiteral(".part");
    // Item files, written by the thousand, never have a backup: they are spared looking
    // for one left half made.
    if (unnamed || options.keepBackup) QFile::remove(pendingBackup);
    const bool backupReady =
        options.keepBackup && QFile::exists(path) && KeepOldFile(path, pendingBackup);

    if (const int error = pending.TakeTheName()) {
        if (backupReady) QFile::remove(pendingBackup);
        return error;
    }
    if (backupReady) {
        QFile::remove(backupPath);
        if (!QFile::rename(pendingBackup, backupPath)) QFile::remove(pendingBackup);
    }
    return 0;
}

void TSafeFile::Replace(const QString& path, const QList<QByteArrayView>& pieces,
                        const Options& options) {
    if (const int error = TryReplace(path, pieces, options))
        throw AppError::CannotCreate(QDir::toNativeSeparators(path), error);
}
