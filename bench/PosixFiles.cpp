#include "PosixFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace PosixFiles {

QByteArray Read(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) throw std::runtime_error("cannot open " + path);
    struct stat info {};
    ::fstat(fd, &info);
    QByteArray bytes(info.st_size, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) break;
        done += n;
    }
    ::close(fd);
    bytes.truncate(done);
    return bytes;
}

namespace {

int Create(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw std::runtime_error("cannot create " + path);
    return fd;
}

void WriteAll(int fd, const char* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0) break;
        done += size_t(n);
    }
}

}  // namespace

void Write(const std::string& path, const char* data, size_t size) {
    const int fd = Create(path);
    WriteAll(fd, data, size);
    ::close(fd);
}

void WriteDurably(const std::string& path, const QByteArray& bytes) {
    const std::string temporary = path + ".new";
    const int fd = Create(temporary);
    WriteAll(fd, bytes.constData(), size_t(bytes.size()));
    ::fdatasync(fd);
    ::close(fd);
    ::rename(temporary.c_str(), path.c_str());
}

}  // namespace PosixFiles
