#include "document/TItemTextStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "document/TTextFileCodec.h"
#include "document/TTextLines.h"
#include "platform/AppError.h"
#include "platform/Cp932Codec.h"

namespace {

// The names of the "*.tmp" files of the folder, read-only and hidden ones included.
QStringList ItemFileNames(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
}

// The functions below return 0 when they succeeded, otherwise the system's error number
// (errno), or -1 when the failure has none.
constexpr int kNoReason = -1;

// Replaces the content of the file at path with bytes. Loading a document writes a file
// for every item, so on POSIX systems this goes without the layers of QFile.
int WriteWholeFile(const QString& path, QByteArrayView bytes) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    int error = 0;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = n < 0 ? errno : kNoReason;
            break;
        }
        done += n;
    }
    if (::close(fd) != 0 && error == 0) error = errno;
    return error;
#else
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes.data(), bytes.size()) == bytes.size()
               ? 0
               : kNoReason;
#endif
}

// Gives the file at from the name to, replacing the file of that name.
int ReplaceFile(const QString& from, const QString& to) {
#ifdef Q_OS_UNIX
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0 ? 0 : errno;
#else
    QFile::remove(to);
    return QFile::rename(from, to) ? 0 : kNoReason;
#endif
}

// Appends the whole content of the file at path to out; out stays as it was when the
// file cannot be opened (ENOENT for a missing one) or read. Saving reads every item's
// file straight into the document, so on POSIX systems this goes without the layers of
// QFile and without a buffer per file.
int AppendWholeFile(const QString& path, QByteArray& out) {
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
        qsizetype done = 0;
        while (done < size) {
            const ssize_t n = ::read(fd, out.data() + start + done, static_cast<size_t>(size - done));
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

}  // namespace

TItemTextStore::TItemTextStore(QString dataDir)
    : dataDir_(std::move(dataDir)),
      behind_(std::make_shared<TWriteBehind>([dir = dataDir_](int itemNumber, QByteArrayView bytes) {
          return WriteWholeFile(dir + QString::number(itemNumber) + QStringLiteral(".tmp"), bytes);
      })) {}

QString TItemTextStore::Path(int itemNumber) const {
    return dataDir_ + QString::number(itemNumber) + QStringLiteral(".tmp");
}

bool TItemTextStore::Exists(int itemNumber) const {
    return behind_->Pending(itemNumber) || QFileInfo::exists(Path(itemNumber));
}

int TItemTextStore::FirstFreeNumber(int from) const {
    int number = from;
    while (Exists(number)) ++number;
    return number;
}

QSet<int> TItemTextStore::ExistingNumbers() const {
    QSet<int> numbers;
    for (const QString& name : ItemFileNames(dataDir_)) {
        bool isNumber = false;
        const int number = QStringView(name).chopped(4).toInt(&isNumber);
        if (isNumber) numbers.insert(number);
    }
    for (const int number : behind_->PendingNumbers()) numbers.insert(number);
    return numbers;
}

int TItemTextStore::FirstFreeNumber(int from, const QSet<int>& existing) {
    int number = from;
    while (existing.contains(number)) ++number;
    return number;
}

void TItemTextStore::Store(int itemNumber, QStringView editorText) const {
    // The text goes to a file of its own first and replaces the item's file only when
    // completely written: a full disk leaves the previous text in place. The name ends
    // with ".tmp" so that a file left by a crash goes with the other item files.
    const QString path = Path(itemNumber);
    const QString pending = dataDir_ + QString::number(itemNumber) + QStringLiteral(".new.tmp");
    const QByteArray bytes = TTextFileCodec::Encode(editorText);
    const int error = behind_->Replacing(itemNumber, [&] {
        const int written = WriteWholeFile(pending, bytes);
        return written == 0 ? ReplaceFile(pending, path) : written;
    });
    if (error != 0) {
        QFile::remove(pending);
        throw AppError::CannotCreate(QDir::toNativeSeparators(path), error);
    }
}

bool TItemTextStore::StoreDocumentLines(int itemNumber, const QByteArray& document, QByteArrayView lines,
                                        qsizetype lineCount) const {
    if (lines.startsWith(TTextFileCodec::kUtf8Mark) || TTextLines::CountCrLfLines(lines) != lineCount) return false;
    behind_->Add(itemNumber, {document, lines.data() - document.constData(), lines.size(), lineCount});
    return true;
}

void TItemTextStore::OnWriteBehindFailure(std::function<void(const QString& message)> failed) const {
    behind_->SetFailureHandler([dir = dataDir_, failed = std::move(failed)](int itemNumber, int error) {
        const QString path = dir + QString::number(itemNumber) + QStringLiteral(".tmp");
        failed(AppError::CannotCreate(QDir::toNativeSeparators(path), error).Text());
    });
}

QByteArray TItemTextStore::Read(int itemNumber) const {
    if (const auto waiting = behind_->Pending(itemNumber)) return waiting->Bytes().toByteArray();
    const QString path = Path(itemNumber);
    QByteArray bytes;
    if (const int error = AppendWholeFile(path, bytes)) {
        if (error == ENOENT || error == ENOTDIR) return {};  // no file: an empty text
        throw AppError::CannotOpen(QDir::toNativeSeparators(path), error);
    }
    return bytes;
}

QString TItemTextStore::Load(int itemNumber) const { return TTextFileCodec::Decode(Read(itemNumber)); }

QString TItemTextStore::LoadCharacters(int itemNumber) const {
    return TTextFileCodec::DecodeCharacters(Read(itemNumber));
}

bool TItemTextStore::AppendDocumentLines(int itemNumber, QByteArray& document, qsizetype* lineCount) const {
    if (const auto waiting = behind_->Pending(itemNumber)) {  // in the file's form already
        document += waiting->Bytes();
        *lineCount = waiting->lineCount;
        return true;
    }
    const QString path = Path(itemNumber);
    const qsizetype start = document.size();
    if (const int error = AppendWholeFile(path, document))
        throw AppError::CannotOpen(QDir::toNativeSeparators(path), error);
    const QByteArrayView appended = QByteArrayView(document).sliced(start);
    const qsizetype lines = appended.startsWith(TTextFileCodec::kUtf8Mark) ? -1 : TTextLines::CountCrLfLines(appended);
    if (lines < 0) {
        document.truncate(start);
        return false;
    }
    *lineCount = lines;
    return true;
}

void TItemTextStore::RemoveAll() const {
    behind_->DiscardAll();
    const QDir dir(dataDir_);
    for (const QString& name : ItemFileNames(dataDir_)) {
        const QString path = dir.filePath(name);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path);
    }
}
