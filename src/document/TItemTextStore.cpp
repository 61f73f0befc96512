#include "document/TItemTextStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

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

// Appends the whole content of the file at path to out; false (out as it was) when it
// cannot be opened or read. Saving reads every item's file straight into the document,
// so on POSIX systems this goes without the layers of QFile and without a buffer per
// file.
bool AppendWholeFile(const QString& path, QByteArray& out) {
    const qsizetype start = out.size();
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool complete = false;
    if (::fstat(fd, &info) == 0) {
        const qsizetype size = static_cast<qsizetype>(info.st_size);
        if (out.capacity() < start + size) out.reserve(std::max(start + size, 2 * out.capacity()));
        out.resize(start + size);
        qsizetype done = 0;
        while (done < size) {
            const ssize_t n = ::read(fd, out.data() + start + done, static_cast<size_t>(size - done));
            if (n <= 0) break;
            done += n;
        }
        complete = done == size;
    }
    ::close(fd);
    if (!complete) out.truncate(start);
    return complete;
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    out += file.readAll();
    return true;
#endif
}

// Whether the byte at data[0] breaks the document's line form (a NUL, a CR not followed by
// LF, or an LF seen at data[1] without a CR before it), and whether data[1] is an LF.
struct LineFormStep {
    unsigned char foreign;
    unsigned char lineFeedNext;
};
inline LineFormStep CheckLineForm(const unsigned char* data) {
    const unsigned char lineFeedNext = data[1] == '\n';
    return {static_cast<unsigned char>(((data[0] == '\r') ^ lineFeedNext) | (data[0] == '\0')), lineFeedNext};
}

// Counts the lines of bytes that end every line with CR LF and hold no other line
// break and no NUL; -1 for any other content.
qsizetype CountCrLfLines(QByteArrayView bytes) {
    const qsizetype size = bytes.size();
    if (size == 0) return 0;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (size < 2 || data[size - 2] != '\r' || data[size - 1] != '\n' || data[0] == '\n') return -1;
    // Every CR stands right before an LF and every LF right after a CR. The texts are
    // megabytes: blocks of a fixed length with no branch inside are what the compiler
    // turns into vector instructions, and a block's count fits a byte.
    constexpr qsizetype kBlock = 128;
    unsigned char foreign = 0;
    qsizetype lines = 0;
    qsizetype i = 0;
    for (; i + kBlock + 1 <= size; i += kBlock) {
        unsigned char blockForeign = 0;
        unsigned char blockLines = 0;
        for (qsizetype j = 0; j < kBlock; ++j) {
            const LineFormStep step = CheckLineForm(data + i + j);
            blockForeign |= step.foreign;
            blockLines += step.lineFeedNext;
        }
        foreign |= blockForeign;
        lines += blockLines;
    }
    for (; i + 1 < size; ++i) {
        const LineFormStep step = CheckLineForm(data + i);
        foreign |= step.foreign;
        lines += step.lineFeedNext;
    }
    return foreign ? -1 : lines;
}

}  // namespace

bool TItemTextStore::AppendDocumentLines(int itemNumber, QByteArray& document, qsizetype* lineCount) const {
    const QString path = Path(itemNumber);
    const qsizetype start = document.size();
    if (!AppendWholeFile(path, document)) throw AppError::CannotOpen(QDir::toNativeSeparators(path));
    const QByteArrayView appended = QByteArrayView(document).sliced(start);
    const qsizetype lines = appended.startsWith(kUtf8Mark) ? -1 : CountCrLfLines(appended);
    if (lines < 0) {
        document.truncate(start);
        return false;
    }
    *lineCount = lines;
    return true;
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
