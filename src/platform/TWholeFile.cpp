#include "platform/TWholeFile.h"

#include <QFile>
#include <algorithm>
#include <cerrno>

#include "platform/THugePages.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

int TWholeFile::Write(const QString& path, const QList<QByteArrayView>& pieces,
                      Durability durability) {
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = 0;
    for (const QByteArrayView bytes : pieces) {
        qsizetype done = 0;
        while (error == 0 && done < bytes.size()) {
            const ssize_t n =
                ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0)
                error = n < 0 ? errno : kNoReason;
            else
                done += n;
        }
    }
    if (error == 0 && durability == Durability::OnDisk && ::fdatasync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
#else
    Q_UNUSED(durability);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return kNoReason;
    for (const QByteArrayView bytes : pieces)
        if (file.write(bytes.data(), bytes.size()) != bytes.size()) return kNoReason;
    return 0;
#endif
}

int TWholeFile::Replace(const QString& from, const QString& to) {
#ifdef Q_OS_UNIX
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
               ? 0
               : errno;
#else
    QFile::remove(to);
    return QFile::rename(from, to) ? 0 : kNoReason;
#endif
}

int TWholeFile::Append(const QString& path, QByteArray& out) {
    const qsizetype start = out.size();
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno;
    struct stat info {};
    int error = 0;
    if (::fstat(fd, &info) == 0) {
        const qsizetype size = static_cast<qsizetype>(info.st_size);
        if (out.capacity() < start + size) out.reserve(std::max(start + size, 2 * out.capacity()));
        out.resize(start + size);
        THugePages::Prefer(out.data() + start, size);
        qsizetype done = 0;
        while (done < size) {
            const ssize_t n =
                ::read(fd, out.data() + start + done, static_cast<size_t>(size - done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                error = n < 0 ? errno : kNoReason;  // an error, or a file that became shorter
                break;
            }
            done += n;
        }
    } else {
        error = errno;
    }
    ::close(fd);
    if (error != 0) out.truncate(start);
    return error;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return file.exists() ? kNoReason : ENOENT;
    out += file.readAll();
    return 0;
#endif
}
