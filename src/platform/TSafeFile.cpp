#include "platform/TSafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <optional>
#include <vector>
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
        for (const QByteArrayView piece : pieces) Append(piece);
        return Finish();
    }

    // Appends a piece to the unnamed file. The first failure is kept for Finish(), and
    // the pieces after it go nowhere.
    void Append(QByteArrayView piece) {
        if (error_ != 0) return;
        // QFileDevice keeps no error number: each step's errno is read right after it.
        if (!unnamed_->isOpen())
            error_ = SystemReason::ErrorOf([&] { return unnamed_->open(QIODevice::WriteOnly); });
        if (error_ == 0)
            error_ = SystemReason::ErrorOf(
                [&] { return unnamed_->write(piece.data(), piece.size()) == piece.size(); });
        if (error_ == 0 && piece.size() >= kStartsWriting) StartWriting();
    }

    // Ends the appending: 0, or the error of the first step that failed.
    int Finish() {
        if (error_ == 0 && !unnamed_->isOpen())
            error_ = SystemReason::ErrorOf([&] { return unnamed_->open(QIODevice::WriteOnly); });
        // What is still buffered goes out here rather than in commit(), so that a full
        // disk is reported with its reason.
        if (error_ == 0) error_ = SystemReason::ErrorOf([&] { return unnamed_->flush(); });
        return error_;
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
    // A piece this large is worth sending to the disk at once.
    static constexpr qint64 kStartsWriting = 1 << 20;

    bool Named() const { return !options_.pendingSuffix.isEmpty(); }

    // Starts the disk on what was written so far without waiting for it, so that the
    // sync before the file takes its name has little left to wait for.
    void StartWriting() {
#ifdef Q_OS_LINUX
        if (!unnamed_->flush()) return;  // a failure shows again in Finish()
        const qint64 end = unnamed_->pos();
        ::sync_file_range(unnamed_->handle(), started_, end - started_, SYNC_FILE_RANGE_WRITE);
        started_ = end;
#endif
    }

    QString NamedPath() const { return path_ + options_.pendingSuffix; }

    const QString& path_;
    const TSafeFile::Options& options_;
    std::optional<QSaveFile> unnamed_;
    int error_ = 0;
    qint64 started_ = 0;  // what StartWriting() already sent to the disk
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

// What must be so before anything is written.
int Prepare(const QString& path, const TSafeFile::Options& options) {
    if (options.makeFolders && !QDir().mkpath(QFileInfo(path).absolutePath()))
        return TWholeFile::kNoReason;
    // A name taken by a folder is refused by QSaveFile without asking the system.
    if (options.pendingSuffix.isEmpty() && QFileInfo(path).isDir()) return EISDIR;
    return 0;
}

// Gives the completely written pending file the name path, with the backup.
int Complete(const QString& path, PendingFile& pending, const TSafeFile::Options& options) {
    const bool unnamed = options.pendingSuffix.isEmpty();
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

}  // namespace

int TSafeFile::TryReplace(const QString& path, const QList<QByteArrayView>& pieces,
                          const Options& options) {
    if (const int error = Prepare(path, options)) return error;
    PendingFile pending(path, options);
    if (const int error = pending.Write(pieces)) return error;
    return Complete(path, pending, options);
}

void TSafeFile::Replace(const QString& path, const QList<QByteArrayView>& pieces,
                        const Options& options) {
    if (const int error = TryReplace(path, pieces, options))
        throw AppError::CannotCreate(QDir::toNativeSeparators(path), error);
}

bool TSafeFile::ReplaceAsMade(const QString& path,
                              const std::function<bool(const Append& append)>& produce,
                              const Options& options) {
    const auto fail = [&](int error) {
        if (error) throw AppError::CannotCreate(QDir::toNativeSeparators(path), error);
    };
    fail(Prepare(path, options));
    PendingFile pending(path, options);
    if (options.pendingSuffix.isEmpty()) {
        if (!produce([&](QByteArrayView piece) { pending.Append(piece); })) return false;
        fail(pending.Finish());
    } else {
        // A named file is written in one go: the pieces wait until all are made.
        std::vector<QByteArray> made;
        if (!produce([&](QByteArrayView piece) { made.emplace_back(piece.toByteArray()); }))
            return false;
        fail(pending.Write(QList<QByteArrayView>(made.begin(), made.end())));
    }
    fail(Complete(path, pending, options));
    return true;
}
