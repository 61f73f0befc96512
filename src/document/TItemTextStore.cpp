#include "document/TItemTextStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "document/TTextLines.h"
#include "platform/AppError.h"
#include "platform/Cp932Codec.h"

namespace {
const QByteArray kUtf8Mark("\xEF\xBB\xBF", 3);
}

QString TItemTextStore::Path(int itemNumber) const {
    return dataDir_ + QString::number(itemNumber) + QStringLiteral(".tmp");
}

bool TItemTextStore::Exists(int itemNumber) const { return QFileInfo::exists(Path(itemNumber)); }

int TItemTextStore::FirstFreeNumber(int from) const {
    int number = from;
    while (Exists(number)) ++number;
    return number;
}

QByteArray TItemTextStore::Encode(QStringView editorText) {
    const QString fileText = TTextLines::ToFile(editorText);
    Cp932Codec::Encoded encoded = Cp932Codec::Encode(fileText);
    if (encoded.Exact()) return std::move(encoded.bytes);
    return kUtf8Mark + fileText.toUtf8();
}

QString TItemTextStore::Decode(const QByteArray& bytes) {
    if (bytes.startsWith(kUtf8Mark)) {
        // Only the program's own mark goes: a text that itself begins with U+FEFF keeps it.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        const QString text = utf8.decode(QByteArrayView(bytes).sliced(kUtf8Mark.size()));
        return TTextLines::FromFile(text);
    }
    return TTextLines::FromFile(Cp932Codec::Decode(bytes));
}

void TItemTextStore::Store(int itemNumber, QStringView editorText) const {
    const QString path = Path(itemNumber);
    const QByteArray bytes = Encode(editorText);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw AppError::CannotCreate(QDir::toNativeSeparators(path));
}

QString TItemTextStore::Load(int itemNumber) const {
    const QString path = Path(itemNumber);
    QFile file(path);
    if (!file.exists()) return {};
    if (!file.open(QIODevice::ReadOnly)) throw AppError::CannotOpen(QDir::toNativeSeparators(path));
    return Decode(file.readAll());
}

namespace {

// The whole content of a file; nothing when it cannot be opened or read. Saving reads
// every item's file, so on POSIX systems this goes without the layers of QFile.
std::optional<QByteArray> ReadWholeFile(const QString& path) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &info) == 0) {
        QByteArray content(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
        qsizetype done = 0;
        while (done < content.size()) {
            const ssize_t n = ::read(fd, content.data() + done, static_cast<size_t>(content.size() - done));
            if (n <= 0) break;
            done += n;
        }
        if (done == content.size()) bytes = std::move(content);
    }
    ::close(fd);
    return bytes;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return file.readAll();
#endif
}

// Counts the lines of bytes that end every line with CR LF and hold no other line
// break and no NUL; -1 for any other content.
qsizetype CountCrLfLines(const QByteArray& bytes) {
    if (bytes.isEmpty()) return 0;
    if (!bytes.endsWith("\r\n") || bytes.contains('\0')) return -1;
    // Every CR must start a CR LF pair, and there must be as many LF as CR.
    const char* data = bytes.constData();
    const char* end = data + bytes.size();
    qsizetype lines = 0;
    for (const char* cr = data; (cr = static_cast<const char*>(std::memchr(cr, '\r', end - cr))); cr += 2) {
        if (cr + 1 >= end || cr[1] != '\n') return -1;
        ++lines;
    }
    return std::count(data, end, '\n') == lines ? lines : -1;
}

}  // namespace

std::optional<QByteArray> TItemTextStore::LoadDocumentLines(int itemNumber, qsizetype* lineCount) const {
    const QString path = Path(itemNumber);
    const std::optional<QByteArray> read = ReadWholeFile(path);
    if (!read) throw AppError::CannotOpen(QDir::toNativeSeparators(path));
    const QByteArray& bytes = *read;
    if (bytes.startsWith(kUtf8Mark)) return std::nullopt;
    const qsizetype lines = CountCrLfLines(bytes);
    if (lines < 0) return std::nullopt;
    *lineCount = lines;
    return bytes;
}

void TItemTextStore::RemoveAll() const {
    QDir dir(dataDir_);
    const QStringList names = dir.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QString path = dir.filePath(name);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path);
    }
}
