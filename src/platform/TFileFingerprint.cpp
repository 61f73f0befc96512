#include "platform/TFileFingerprint.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

constexpr qsizetype kHashBlock = qsizetype(1) << 20;

// Hashes a run of bytes in blocks of kHashBlock bytes, each block's hash the seed of the
// next, so that the result does not depend on how the run arrives in pieces. qHashBits
// is fast where the processor has AES instructions (several gigabytes a second).
class BlockHash {
  public:
    void Add(QByteArrayView bytes) {
        if (!pending_.isEmpty()) {
            const qsizetype take = std::min(bytes.size(), kHashBlock - pending_.size());
            pending_.append(bytes.first(take));
            bytes = bytes.sliced(take);
            if (pending_.size() < kHashBlock) return;
            Mix(pending_);
            pending_.truncate(0);
        }
        while (bytes.size() >= kHashBlock) {
            Mix(bytes.first(kHashBlock));
            bytes = bytes.sliced(kHashBlock);
        }
        pending_.append(bytes);
    }
    quint64 Result() {
        if (!pending_.isEmpty()) Mix(pending_);
        pending_.truncate(0);
        return hash_;
    }

  private:
    void Mix(QByteArrayView block) {
        hash_ = qHashBits(block.data(), static_cast<size_t>(block.size()), hash_);
    }

    size_t hash_ = 0x2545F491;  // not 0: a seed of 0 takes qHashBits' slower way
    QByteArray pending_;
};

}  // namespace

bool TFileFingerprint::IsFor(const QString& other) const {
    return !path.isEmpty() && QDir::cleanPath(QFileInfo(other).absoluteFilePath()) == path;
}

namespace {

// Size, identity and times of the file at path; the path and hash stay empty. A size of
// -1 when it is no regular file.
TFileFingerprint StatusOf(const QString& path) {
    TFileFingerprint status;
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return status;
    constexpr qint64 kNano = 1000000000;
    status.size = info.st_size;
    status.inode = info.st_ino;
    status.modified = info.st_mtim.tv_sec * kNano + info.st_mtim.tv_nsec;
    status.changed = info.st_ctim.tv_sec * kNano + info.st_ctim.tv_nsec;
#else
    const QFileInfo info(path);
    if (!info.isFile()) return status;
    status.size = info.size();
    status.modified = info.lastModified().toMSecsSinceEpoch();
    status.changed = info.metadataChangeTime().toMSecsSinceEpoch();
#endif
    return status;
}

bool SameStatus(const TFileFingerprint& a, const TFileFingerprint& b) {
    return a.size == b.size && a.inode == b.inode && a.modified == b.modified &&
           a.changed == b.changed;
}

}  // namespace

TFileFingerprint TFileFingerprint::Of(const QString& path, const QList<QByteArrayView>& pieces) {
    TFileFingerprint fingerprint = StatusOf(path);
    fingerprint.path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    fingerprint.hash = ContentHash(pieces);
    return fingerprint;
}

bool TFileFingerprint::ChangedSince(const TFileFingerprint& fingerprint) {
    const TFileFingerprint now = StatusOf(fingerprint.path);
    if (now.size < 0) return false;
    if (SameStatus(now, fingerprint)) return false;
    if (now.size != fingerprint.size || !fingerprint.hashKnown) return true;
    // Touched, or written again by someone: the bytes tell whether anything changed.
    QFile file(fingerprint.path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return true;
    BlockHash hash;
    QByteArray block(kHashBlock, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 n = file.read(block.data(), block.size());
        if (n < 0) return true;
        if (n == 0) break;
        hash.Add(QByteArrayView(block.constData(), n));
        total += n;
    }
    return total != fingerprint.size || hash.Result() != fingerprint.hash;
}

bool TFileFingerprint::StatusUnchanged(const TFileFingerprint& fingerprint) {
    const TFileFingerprint now = StatusOf(fingerprint.path);
    return now.size >= 0 && SameStatus(now, fingerprint);
}

quint64 TFileFingerprint::ContentHash(const QList<QByteArrayView>& pieces) {
    BlockHash hash;
    for (const QByteArrayView piece : pieces) hash.Add(piece);
    return hash.Result();
}
