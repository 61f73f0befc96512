#include "document/TDocumentWriter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "document/TItemTextStore.h"
#include "document/TOutline.h"
#include "document/TTextLines.h"
#include "platform/AppError.h"
#include "platform/Cp932Codec.h"
#include "platform/SystemReason.h"

namespace {

const QByteArray kLineBreak("\r\n");

// Adds the characters of found that `all` does not hold yet, keeping their order.
void Collect(QString& all, QStringView found) {
    for (qsizetype i = 0; i < found.size();) {
        const qsizetype length = (found[i].isHighSurrogate() && i + 1 < found.size()) ? 2 : 1;
        const QStringView character = found.mid(i, length);
        if (!all.contains(character)) all += character;
        i += length;
    }
}

// Code page 932 bytes of one line (no line break in it); characters without a code
// page 932 form become "?" and are added to unencodable.
QByteArray EncodeLine(QStringView line, QString& unencodable) {
    Cp932Codec::Encoded encoded = Cp932Codec::Encode(line);
    if (encoded.Complete()) return std::move(encoded.bytes);
    Collect(unencodable, encoded.unencodable);
    QString replaced = line.toString();
    for (qsizetype i = 0; i < encoded.unencodable.size();) {
        const QChar c = encoded.unencodable[i];
        const qsizetype length =
            (c.isHighSurrogate() && i + 1 < encoded.unencodable.size()) ? 2 : 1;
        replaced.replace(encoded.unencodable.mid(i, length), QStringLiteral("?"));
        i += length;
    }
    return Cp932Codec::Encode(replaced).bytes;
}

// Appends the lines of an editor text, each followed by CR LF.
void AppendText(QByteArray& out, QStringView text, QString& unencodable) {
    if (text.isEmpty()) return;
    // One conversion for the whole text; only a text with characters that fail is
    // gone through line by line to name them.
    Cp932Codec::Encoded whole = Cp932Codec::Encode(TTextLines::ToFile(text));
    if (whole.Complete()) {
        out += whole.bytes;
        return;
    }
    qsizetype begin = 0;
    for (;;) {
        const qsizetype end = text.indexOf(u'\n', begin);
        const QStringView line = text.mid(begin, end < 0 ? text.size() - begin : end - begin);
        out += EncodeLine(line, unencodable);
        out += kLineBreak;
        if (end < 0) break;
        begin = end + 1;
    }
}

// Makes `keep` a second name of the document at path (a hard link, so that nothing
// is copied), or a copy where the file system has no links. A document reached through
// a symbolic link is saved into the link's target: the backup names the target's old
// content, not the link.
bool KeepOldDocument(const QString& path, const QString& keep) {
#ifdef Q_OS_UNIX
    if (::linkat(AT_FDCWD, QFile::encodeName(path).constData(), AT_FDCWD,
                 QFile::encodeName(keep).constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
#endif
    return QFile::copy(path, keep);
}

// A label must stay on its line.
QString SingleLine(const QString& label) {
    if (!label.contains(u'\r') && !label.contains(u'\n') && !label.contains(QChar(0))) return label;
    QString line = label;
    for (QChar& c : line)
        if (c == u'\r' || c == u'\n' || c == QChar(0)) c = u' ';
    return line;
}

// The code page 932 bytes of every label, in the outline's order. All labels are
// converted at once, since opening a converter for each would cost more than the
// conversion; labels with characters that fail are converted one by one.
QList<QByteArray> EncodeLabels(const TOutline& outline, QString& unencodable) {
    QStringList labels;
    labels.reserve(outline.Count());
    QList<std::pair<qsizetype, const TOutlineItem*>> readInOtherBytes;
    outline.ForEach([&](TOutlineItem* item) {
        if (!item->LabelBytes.isEmpty()) readInOtherBytes.append({labels.size(), item});
        labels << SingleLine(item->Label);
    });
    Cp932Codec::Encoded all = Cp932Codec::Encode(labels.join(u'\n'));
    QList<QByteArray> bytes;
    bytes.reserve(labels.size());
    if (all.Complete()) {
        // A line break byte never stands inside a double-byte character.
        for (const QByteArray& label : all.bytes.split('\n')) bytes << label;
    } else {
        for (const QString& label : labels) bytes << EncodeLine(label, unencodable);
    }
    // A label left as it was read goes back in the bytes it was read from.
    for (const auto& [index, item] : readInOtherBytes) {
        if (Cp932Codec::Decode(item->LabelBytes) == item->Label) bytes[index] = item->LabelBytes;
    }
    return bytes;
}

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

TDocumentWriter::Output TDocumentWriter::Write(const TOutline& outline, const TItemTextStore& store,
                                               const std::optional<TTextInMemory>& inMemory) {
    if (outline.IsEmpty()) throw AppError(EmptyOutlineText());

    Output output;
    QByteArray treeLine = QByteArray("Tree=") + QByteArray::number(outline.Count());
    QByteArray itemLines;

    // Absolute index of every item seen so far, to name the parents.
    QHash<const TOutlineItem*, int> indexOf;
    indexOf.reserve(outline.Count());
    const QList<QByteArray> labels = EncodeLabels(outline, output.unencodable);
    int k = 0;
    outline.ForEach([&](TOutlineItem* item) {
        if (item->Parent() == outline.Root())
            itemLines += "nil";
        else
            itemLines += QByteArray::number(indexOf.value(item->Parent()));
        itemLines += ':';
        itemLines += labels[k];
        itemLines += item->Expanded() ? ":1" : ":0";
        itemLines += kLineBreak;

        // Files in the document's own form go in as they are; others are converted. A
        // missing file stops the save (it cannot be opened).
        qsizetype lineCount = 0;
        const bool fromMemory = inMemory && inMemory->itemNumber == item->ItemNumber;
        if (fromMemory || !store.AppendDocumentLines(item->ItemNumber, output.texts, &lineCount)) {
            const QString text = fromMemory ? inMemory->text : store.Load(item->ItemNumber);
            lineCount = TTextLines::LineCount(text);
            AppendText(output.texts, text, output.unencodable);
        }

        treeLine += ',';
        treeLine += QByteArray::number(k);
        treeLine += '=';
        treeLine += QByteArray::number(lineCount);

        indexOf.insert(item, k);
        ++k;
    });

    QByteArray& head = output.head;
    head.reserve(qsizetype(sizeof("qlm oe data form 1.3\r\n")) + treeLine.size() + 2 +
                 itemLines.size());
    head += kHeader;
    head += kLineBreak;
    head += treeLine;
    head += kLineBreak;
    head += itemLines;
    return output;
}

void TDocumentWriter::WriteFile(const QString& path, const QList<QByteArrayView>& pieces,
                                bool backup) {
    // QFileDevice keeps no error number: each step's errno is read right after it.
    const auto cannotCreate = [&](int error) {
        // QSaveFile refuses a folder without asking the system.
        if (error < 0 && QFileInfo(path).isDir()) error = EISDIR;
        return AppError::CannotCreate(QDir::toNativeSeparators(path), error);
    };
    // Where the file system has unnamed files (Linux: ext4, XFS, Btrfs, tmpfs), QSaveFile
    // writes into one and a save ended half way leaves nothing behind. Elsewhere its
    // temporary file is named path + "." + six random letters, which cannot be told
    // from a file of the user's and is left alone.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (const int error = SystemReason::ErrorOf([&] { return file.open(QIODevice::WriteOnly); }))
        throw cannotCreate(error);
    for (const QByteArrayView piece : pieces) {
        const int error = SystemReason::ErrorOf(
            [&] { return file.write(piece.data(), piece.size()) == piece.size(); });
        if (error != 0) {
            file.cancelWriting();
            throw cannotCreate(error);
        }
    }
    // What is still buffered goes out here rather than in commit(), so that a full disk
    // is reported with its reason.
    if (const int error = SystemReason::ErrorOf([&] { return file.flush(); })) {
        file.cancelWriting();
        throw cannotCreate(error);
    }

    // The backup is prepared as a copy of the old document before the new one
    // replaces it, and takes the backup name only after that succeeded: a failed save
    // leaves both the old document and the old backup as they were.
    const QString backupPath = path + QLatin1Char('~');
    const QString pendingBackup = backupPath + QStringLiteral(".part");
    bool backupReady = false;
    if (backup && QFile::exists(path)) {
        QFile::remove(pendingBackup);
        backupReady = KeepOldDocument(path, pendingBackup);
    }

    if (const int error = SystemReason::ErrorOf([&] { return file.commit(); })) {
        if (backupReady) QFile::remove(pendingBackup);
        throw cannotCreate(error);
    }

    if (backupReady) {
        QFile::remove(backupPath);
        if (!QFile::rename(pendingBackup, backupPath)) QFile::remove(pendingBackup);
    } else {
        // A backup left half made by a save that was ended half way.
        QFile::remove(pendingBackup);
    }
}

bool TDocumentWriter::Fingerprint::IsFor(const QString& other) const {
    return !path.isEmpty() && QDir::cleanPath(QFileInfo(other).absoluteFilePath()) == path;
}

namespace {

// Size, identity and times of the file at path; the path and hash stay empty. A size of
// -1 when it is no regular file.
TDocumentWriter::Fingerprint StatusOf(const QString& path) {
    TDocumentWriter::Fingerprint status;
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

bool SameStatus(const TDocumentWriter::Fingerprint& a, const TDocumentWriter::Fingerprint& b) {
    return a.size == b.size && a.inode == b.inode && a.modified == b.modified &&
           a.changed == b.changed;
}

}  // namespace

TDocumentWriter::Fingerprint TDocumentWriter::FingerprintOf(const QString& path,
                                                            const QList<QByteArrayView>& pieces) {
    Fingerprint fingerprint = StatusOf(path);
    fingerprint.path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    fingerprint.hash = ContentHash(pieces);
    return fingerprint;
}

bool TDocumentWriter::ChangedSince(const Fingerprint& fingerprint) {
    const Fingerprint now = StatusOf(fingerprint.path);
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

bool TDocumentWriter::StatusUnchanged(const Fingerprint& fingerprint) {
    const Fingerprint now = StatusOf(fingerprint.path);
    return now.size >= 0 && SameStatus(now, fingerprint);
}

quint64 TDocumentWriter::ContentHash(const QList<QByteArrayView>& pieces) {
    BlockHash hash;
    for (const QByteArrayView piece : pieces) hash.Add(piece);
    return hash.Result();
}

bool TDocumentWriter::CurrentIndexIsStale(const TOutline& outline, int currentItemIndex) {
    return outline.Count() == currentItemIndex;
}

QString TDocumentWriter::IndexError001Text() {
    return QStringLiteral(
        "IndexError001：作者に連絡してください。もう一度、任意の項目を選択し直してから"
        "セーブを行ってください。");
}

QString TDocumentWriter::EmptyOutlineText() {
    return QStringLiteral("編集中の文章に、内容がありません");
}
