#include "document/TItemTextStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "document/TTextFileCodec.h"
#include "document/TTextLines.h"
#include "platform/AppError.h"
#include "platform/Cp932Codec.h"
#include "platform/TParallel.h"
#include "platform/TSafeFile.h"
#include "platform/TWholeFile.h"

namespace {

// Texts one thread puts in their files' form before it asks for more.
constexpr qsizetype kTextsPerRun = 64;

// The names of the "*.tmp" files of the folder, read-only and hidden ones included.
QStringList ItemFileNames(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.tmp")},
                                  QDir::Files | QDir::Hidden | QDir::System);
}

// The file of an item in folder dir.
QString ItemPath(const QString& dir, int itemNumber) {
    return dir + QString::number(itemNumber) + QStringLiteral(".tmp");
}

// The block the texts given in their files' form share, when each stands in it as it is
// given and together they make up most of it; null else.
QByteArray SharedBlock(const std::vector<TItemTextStore::TNewText>& texts,
                       const std::vector<QByteArrayView>& files,
                       const std::vector<qsizetype>& lines) {
    QByteArray shared;
    qsizetype size = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (lines[i] < 0 || files[i].isEmpty()) continue;  // an empty text is anywhere
        const QByteArray& block = texts[i].block;
        const auto begin = reinterpret_cast<std::uintptr_t>(block.constData());
        const auto at = reinterpret_cast<std::uintptr_t>(files[i].data());
        // A text encoded here, or given without its block, stands outside it.
        if (at < begin || at + files[i].size() > begin + block.size()) return {};
        if (shared.isNull()) shared = block;
        if (block.constData() != shared.constData()) return {};
        size += files[i].size();
    }
    return 2 * size > shared.size() ? shared : QByteArray();
}

// The texts whose lines are counted, one after the other in a block of their own; offsets
// tells where each begins.
QByteArray Joined(const std::vector<QByteArrayView>& files, const std::vector<qsizetype>& lines,
                  std::vector<qsizetype>& offsets) {
    const qsizetype count = static_cast<qsizetype>(files.size());
    qsizetype size = 0;
    for (qsizetype i = 0; i < count; ++i) {
        offsets[i] = size;
        if (lines[i] >= 0) size += files[i].size();
    }
    // Tens of megabytes: copied into the block on every processor.
    QByteArray block(size, Qt::Uninitialized);
    char* const into = block.data();
    TParallel::ForRuns(count, kTextsPerRun, [&](qsizetype, qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i)
            if (lines[i] > 0) std::memcpy(into + offsets[i], files[i].data(), files[i].size());
    });
    return block;
}

}  // namespace

// A file written to this name first takes the item file's name only when complete, so
// that an item file is always a whole text, also after a crash. The name ends with ".tmp"
// so that a file left by a crash goes with the other item files.
static const TSafeFile::Options kPending = TSafeFile::Options::ThroughNamedFile(
    QStringLiteral(".new.tmp"), TWholeFile::Durability::Cached);

TItemTextStore::TItemTextStore(QString dataDir)
    : dataDir_(std::move(dataDir)),
      behind_(std::make_shared<TWriteBehind>(
          [dir = dataDir_](int itemNumber, QByteArrayView bytes) {
              return TSafeFile::TryReplace(ItemPath(dir, itemNumber), {bytes}, kPending);
          },
          [source = SourcePath()](std::optional<QByteArrayView> document) {
              if (!document) return QFile::remove(source) ? 0 : TWholeFile::kNoReason;
              return TWholeFile::Write(source, *document, TWholeFile::Durability::OnDisk);
          })) {}

QString TItemTextStore::SourcePath() const {
    return dataDir_ + QStringLiteral("Hedgerow.source.tmp");
}

QString TItemTextStore::Path(int itemNumber) const { return ItemPath(dataDir_, itemNumber); }

bool TItemTextStore::Exists(int itemNumber) const {
    return behind_->Pending(itemNumber) || QFileInfo::exists(Path(itemNumber));
}

int TItemTextStore::FirstFreeNumber(int from) const {
    int number = from;
    while (Exists(number)) ++number;
    return number;
}

QSet<int> TItemTextStore::ExistingNumbers() const {
    // The texts still to be written first: a text leaves them only once its file is
    // there, so the files listed after them hold every text written meanwhile.
    QSet<int> numbers;
    for (const int number : behind_->PendingNumbers()) numbers.insert(number);
    for (const QString& name : ItemFileNames(dataDir_)) {
        bool isNumber = false;
        const int number = QStringView(name).chopped(4).toInt(&isNumber);
        if (isNumber) numbers.insert(number);
    }
    return numbers;
}

int TItemTextStore::FirstFreeNumber(int from, const QSet<int>& existing) {
    int number = from;
    while (existing.contains(number)) ++number;
    return number;
}

void TItemTextStore::Store(int itemNumber, QStringView editorText) const {
    // A full disk leaves the previous text in place.
    const QString path = Path(itemNumber);
    const QByteArray bytes = TTextFileCodec::Encode(editorText);
    const int error = behind_->Replacing(
        itemNumber, [&] { return TSafeFile::TryReplace(path, {bytes}, kPending); });
    if (error != 0) throw AppError::CannotCreate(QDir::toNativeSeparators(path), error);
}

void TItemTextStore::StoreBehind(const std::vector<TNewText>& texts) const {
    const qsizetype count = static_cast<qsizetype>(texts.size());
    std::vector<QByteArray> encoded(texts.size());
    std::vector<QByteArrayView> files(texts.size());
    // The lines of each file, or -1 for what a document could not hold either: the UTF-8
    // form, a line break of its own.
    std::vector<qsizetype> lines(texts.size());
    TParallel::ForRuns(count, kTextsPerRun, [&](qsizetype, qsizetype begin, qsizetype end) {
        for (qsizetype i = begin; i < end; ++i) {
            const TNewText& text = texts[i];
            const QByteArrayView given = text.fileBytes;
            lines[i] = given.isNull() || given.startsWith(TTextFileCodec::kUtf8Mark)
                           ? -1
                           : TTextLines::CountCrLfLines(given);
            if (lines[i] >= 0) {
                files[i] = given;
                continue;
            }
            // An editor text, or bytes not in a file's form: the text they read as.
            files[i] = encoded[i] =
                TTextFileCodec::Encode(given.isNull() ? text.text : TTextFileCodec::Decode(given));
            lines[i] = files[i].startsWith(TTextFileCodec::kUtf8Mark)
                           ? -1
                           : TTextLines::CountCrLfLines(files[i]);
        }
    });
    std::vector<qsizetype> offsets(texts.size());
    QByteArray block = SharedBlock(texts, files, lines);
    if (!block.isNull()) {
        for (qsizetype i = 0; i < count; ++i)
            if (lines[i] >= 0 && !files[i].isEmpty())
                offsets[i] = files[i].data() - block.constData();
    } else {
        block = Joined(files, lines, offsets);
    }
    for (qsizetype i = 0; i < count; ++i) {
        if (lines[i] < 0)
            Store(texts[i].itemNumber, texts[i].fileBytes.isNull()
                                           ? texts[i].text
                                           : TTextFileCodec::Decode(texts[i].fileBytes));
    }
    // Every text shares the finished block: the thread tells the texts of one block by it.
    for (qsizetype i = 0; i < count; ++i) {
        if (lines[i] >= 0)
            behind_->Add(texts[i].itemNumber, {block, offsets[i], files[i].size(), lines[i]});
    }
    behind_->Start();
}

bool TItemTextStore::StoreDocumentLines(int itemNumber, const QByteArray& document,
                                        QByteArrayView lines, qsizetype lineCount) const {
    if (lines.startsWith(TTextFileCodec::kUtf8Mark) ||
        TTextLines::CountCrLfLines(lines) != lineCount)
        return false;
    behind_->Add(itemNumber,
                 {document, lines.data() - document.constData(), lines.size(), lineCount});
    return true;
}

std::optional<std::vector<TWriteBehind::TSourceText>> TItemTextStore::TextsInDocument(
    const TFileFingerprint& loaded) const {
    auto pending = behind_->PendingInDocument();
    if (!pending) return std::nullopt;
    if (pending->second.empty()) return std::move(pending->second);
    const QByteArray& document = pending->first;
    if (!loaded.hashKnown || document.size() != loaded.size ||
        TFileFingerprint::ContentHash({document}) != loaded.hash)
        return std::nullopt;
    return std::move(pending->second);
}

void TItemTextStore::MoveAllTo(const QString& folder) const {
    if (!QDir().mkpath(folder))
        throw AppError::CannotCreate(QDir::toNativeSeparators(folder), TWholeFile::kNoReason);
    const QDir dir(dataDir_);
    for (const QString& name : ItemFileNames(dataDir_)) {
        if (!QFile::rename(dir.filePath(name), QDir(folder).filePath(name)))
            throw AppError::CannotCreate(QDir::toNativeSeparators(QDir(folder).filePath(name)),
                                         TWholeFile::kNoReason);
    }
}

void TItemTextStore::TakeTextsFromSource(const std::vector<TWriteBehind::TSourceText>& named,
                                         const QString& document) const {
    std::vector<TWriteBehind::TSourceText> texts;
    for (const TWriteBehind::TSourceText& text : named)
        if (!QFileInfo::exists(Path(text.itemNumber))) texts.push_back(text);
    if (texts.empty()) return;
    const QString path =
        QFileInfo::exists(SourcePath()) || document.isEmpty() ? SourcePath() : document;
    QByteArray source;
    if (const int error = TWholeFile::Append(path, source))
        throw AppError::CannotOpen(QDir::toNativeSeparators(path), error);
    for (const TWriteBehind::TSourceText& text : texts) {
        if (text.offset < 0 || text.length < 0 || text.offset > source.size() - text.length)
            throw AppError(
                QStringLiteral("ファイル %1 は、復元する項目 %2 の文章を含んでいません。")
                    .arg(QDir::toNativeSeparators(path))
                    .arg(text.itemNumber));
    }
    for (const TWriteBehind::TSourceText& text : texts)
        behind_->Add(text.itemNumber, {source, text.offset, text.length, text.lineCount});
    behind_->UseSourceOnDisk(source);
    behind_->Start();
}

void TItemTextStore::OnWriteBehindFailure(
    std::function<void(const QString& message)> failed) const {
    behind_->SetFailureHandler([dir = dataDir_, failed = std::move(failed)](int itemNumber,
                                                                            int error) {
        failed(AppError::CannotCreate(QDir::toNativeSeparators(ItemPath(dir, itemNumber)), error)
                   .Text());
    });
}

QByteArray TItemTextStore::Read(int itemNumber) const {
    if (const auto waiting = behind_->Pending(itemNumber)) return waiting->Bytes().toByteArray();
    const QString path = Path(itemNumber);
    QByteArray bytes;
    if (const int error = TWholeFile::Append(path, bytes)) {
        if (error == ENOENT || error == ENOTDIR) return {};  // no file: an empty text
        throw AppError::CannotOpen(QDir::toNativeSeparators(path), error);
    }
    return bytes;
}

QString TItemTextStore::Load(int itemNumber) const {
    return TTextFileCodec::Decode(Read(itemNumber));
}

QString TItemTextStore::LoadCharacters(int itemNumber) const {
    return TTextFileCodec::DecodeCharacters(Read(itemNumber));
}

bool TItemTextStore::AppendDocumentLines(int itemNumber, QByteArray& document,
                                         qsizetype* lineCount) const {
    if (const auto waiting = behind_->Pending(itemNumber)) {  // in the file's form already
        document += waiting->Bytes();
        *lineCount = waiting->lineCount;
        return true;
    }
    const QString path = Path(itemNumber);
    const qsizetype start = document.size();
    if (const int error = TWholeFile::Append(path, document))
        throw AppError::CannotOpen(QDir::toNativeSeparators(path), error);
    const QByteArrayView appended = QByteArrayView(document).sliced(start);
    const qsizetype lines =
        appended.startsWith(TTextFileCodec::kUtf8Mark) ? -1 : TTextLines::CountCrLfLines(appended);
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
