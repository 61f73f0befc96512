#include "document/TItemTextStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
    if (bytes.startsWith(kUtf8Mark))
        return TTextLines::FromFile(QString::fromUtf8(QByteArrayView(bytes).sliced(kUtf8Mark.size())));
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

// Counts the lines of bytes that end every line with CR LF and hold no other line
// break and no NUL; -1 for any other content.
qsizetype CountCrLfLines(const QByteArray& bytes) {
    if (bytes.isEmpty()) return 0;
    if (!bytes.endsWith("\r\n")) return -1;
    qsizetype lines = 0;
    const char* data = bytes.constData();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = data[i];
        if (c == '\0') return -1;
        if (c == '\r') {
            if (i + 1 >= bytes.size() || data[i + 1] != '\n') return -1;
            ++lines;
            ++i;
        } else if (c == '\n') {
            return -1;
        }
    }
    return lines;
}

}  // namespace

std::optional<QByteArray> TItemTextStore::LoadDocumentLines(int itemNumber, qsizetype* lineCount) const {
    const QString path = Path(itemNumber);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw AppError::CannotOpen(QDir::toNativeSeparators(path));
    QByteArray bytes(file.size(), Qt::Uninitialized);
    if (file.read(bytes.data(), bytes.size()) != bytes.size())
        throw AppError::CannotOpen(QDir::toNativeSeparators(path));
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
