#include "document/TRecoveryRecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QtEndian>
#include <charconv>
#include <cstring>
#include <vector>

#ifdef Q_OS_UNIX
#include <sys/stat.h>

#include <cerrno>
#endif

#include "document/TByteLines.h"
#include "document/TDocumentReader.h"
#include "document/TRecoveryFields.h"
#include "platform/AppError.h"
#include "platform/TSafeFile.h"
#include "platform/TWholeFile.h"

// The record is UTF-8 text of lines that each end with LF:
//
//   hedgerow recovery 3
//   file /home/me/文書/計画.qlo
//   modified 1
//   current 2
//   loaded 5120 1835012 1733650000123456789 1733650000123456789 /home/me/文書/計画.qlo
//   nil 0 1 0 1 - 第一章
//   0 1 0 0 1 - 一行目%000A二行目
//   nil 2 0 3 4 8740 ①
//   text 2 1088 52 3
//   end 3 5d1e0c7a93b24f06
//
// After the version line come the document's path, the modified flag and the absolute
// index of the selected item, the loaded document's size, inode, modification and status
// change times and path ("loaded -" for none; since version 3), then one line per item in
// depth-first order (a parent before its children): the parent's index among the item lines ("nil"
// for a top-level item), the ItemNumber, the expanded flag, ImageIndex, SelectedIndex, the
// LabelBytes in hexadecimal ("-" for none) and the label, which takes the rest of the line. A
// record of version 2 or 3 then names the texts still in the document's copy: the
// ItemNumber, the place and length of the text's bytes and its number of lines. The
// last line holds the number of items and a checksum of everything before it; a record
// without it is one whose writing was cut short.
//
// Labels and the path are written as UTF-8, except for what could break a line or
// cannot be UTF-8: control characters, "%" and unpaired surrogates (the escapes of
// bytes that code page 932 cannot map) are written as "%" and the four hexadecimal
// digits of the UTF-16 code unit.

namespace {

// Records of versions 1 (no texts in the document's copy) and 2 still read.
constexpr QByteArrayView kVersionLine("hedgerow recovery 1");
constexpr QByteArrayView kSourceVersionLine("hedgerow recovery 2");
constexpr QByteArrayView kLoadedVersionLine("hedgerow recovery 3");
constexpr QByteArrayView kVersionPrefix("hedgerow recovery ");
constexpr QByteArrayView kFilePrefix("file ");
constexpr QByteArrayView kModifiedPrefix("modified ");
constexpr QByteArrayView kCurrentPrefix("current ");
constexpr QByteArrayView kEndPrefix("end ");
constexpr QByteArrayView kTextPrefix("text ");
constexpr QByteArrayView kLoadedPrefix("loaded ");
constexpr QByteArrayView kNoParent("nil");
constexpr QByteArrayView kNoBytes("-");

// A field as an error message shows it: its first characters, whatever the bytes are.
QString Shown(QByteArrayView field) {
    return TByteLines::Shown(
        QString::fromUtf8(field.first(std::min(field.size(), TByteLines::kShownBytes))));
}

[[noreturn]] void ThrowCorrupted(int lineNumber, const QString& what) {
    throw AppError(
        QStringLiteral("復元用の記録 %1 行目が壊れています。%2").arg(lineNumber).arg(what));
}

[[noreturn]] void ThrowTruncated() {
    throw AppError(
        QStringLiteral("復元用の記録が途中で切れています。書き終わる前に止まったようです。"));
}

// The fields of an item line or the last line, separated by single spaces; the label
// takes the rest.
class Fields {
  public:
    Fields(QByteArrayView line, int lineNumber) : line_(line), lineNumber_(lineNumber) {}

    QByteArrayView Next() {
        const qsizetype space = line_.indexOf(' ', position_);
        if (space < 0) ThrowCorrupted(lineNumber_, QStringLiteral("欄が足りません。"));
        const QByteArrayView field = line_.sliced(position_, space - position_);
        position_ = space + 1;
        return field;
    }
    QByteArrayView Rest() const { return line_.sliced(position_); }

  private:
    QByteArrayView line_;
    int lineNumber_;
    qsizetype position_ = 0;
};

int ParseInt(QByteArrayView field, int lineNumber, const QString& what) {
    const std::optional<int> value = TByteLines::ParseNumber<int>(field);
    if (!value)
        ThrowCorrupted(
            lineNumber,
            QStringLiteral("%1 '%2' は正しい数ではありません。").arg(what, Shown(field)));
    return *value;
}

bool ParseFlagField(QByteArrayView field, int lineNumber, const QString& what) {
    const std::optional<bool> value = TRecoveryFields::ParseFlag(field);
    if (!value)
        ThrowCorrupted(
            lineNumber,
            QStringLiteral("%1 '%2' は 0 か 1 ではありません。").arg(what, Shown(field)));
    return *value;
}

qint64 ParseLongField(
    QByteArrayView field, int lineNumber, const QString& what,
    std::optional<qint64> (*parse)(QByteArrayView) = TByteLines::ParseCount<qint64>) {
    const std::optional<qint64> value = parse(field);
    if (!value)
        ThrowCorrupted(
            lineNumber,
            QStringLiteral("%1 '%2' は正しい数ではありません。").arg(what, Shown(field)));
    return *value;
}

// A text line of a version 2 or 3 record, without its prefix.
TWriteBehind::TSourceText ParseSourceText(QByteArrayView line, int lineNumber) {
    Fields fields(line, lineNumber);
    TWriteBehind::TSourceText text;
    text.itemNumber = ParseInt(fields.Next(), lineNumber, QStringLiteral("項目番号"));
    text.offset = ParseLongField(fields.Next(), lineNumber, QStringLiteral("文章の位置"));
    text.length = ParseLongField(fields.Next(), lineNumber, QStringLiteral("文章の長さ"));
    text.lineCount = ParseLongField(fields.Rest(), lineNumber, QStringLiteral("文章の行数"));
    return text;
}

// The value of the loaded document's line, without its prefix.
std::optional<TFileFingerprint> ParseLoaded(QByteArrayView value, int lineNumber) {
    if (value == kNoBytes) return std::nullopt;
    Fields fields(value, lineNumber);
    TFileFingerprint loaded;
    loaded.size = ParseLongField(fields.Next(), lineNumber, QStringLiteral("文書の大きさ"));
    loaded.inode = static_cast<quint64>(
        ParseLongField(fields.Next(), lineNumber, QStringLiteral("文書の識別番号")));
    loaded.modified = ParseLongField(fields.Next(), lineNumber, QStringLiteral("文書の更新時刻"),
                                     TByteLines::ParseNumber<qint64>);
    loaded.changed = ParseLongField(fields.Next(), lineNumber, QStringLiteral("文書の状態変更時刻"),
                                    TByteLines::ParseNumber<qint64>);
    std::optional<QString> path = TRecoveryFields::Unescape(fields.Rest());
    if (!path) ThrowCorrupted(lineNumber, QStringLiteral("文書のパスの書き方が正しくありません。"));
    loaded.path = std::move(*path);
    loaded.hashKnown = false;
    return loaded;
}

// The value after prefix on a line that must begin with it.
QByteArrayView ValueOf(QByteArrayView line, QByteArrayView prefix, int lineNumber) {
    if (!line.startsWith(prefix))
        ThrowCorrupted(lineNumber, QStringLiteral("「%1」で始まっていません。")
                                       .arg(QString::fromLatin1(prefix.trimmed())));
    return line.sliced(prefix.size());
}

// Copies the items of from, in their order and with everything they hold, below the
// root of to.
void CopyItems(const TOutline& from, TOutline& to) {
    struct Frame {
        const TOutlineItem* source;
        TOutlineItem* copy;
        int row;
    };
    std::vector<Frame> stack{{from.Root(), to.Root(), 0}};
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.row == top.source->ChildCount()) {
            stack.pop_back();
            continue;
        }
        const TOutlineItem* source = top.source->Child(top.row);
        TOutlineItem* copy = to.Insert(top.copy, top.row, source->Label, source->ItemNumber);
        ++top.row;
        copy->LabelBytes = source->LabelBytes;
        to.SetExpanded(copy, source->Expanded());
        copy->ImageIndex = source->ImageIndex;
        copy->SelectedIndex = source->SelectedIndex;
        stack.push_back({source, copy, 0});
    }
}

}  // namespace

TRecoveryRecord TRecoveryRecord::Of(const TOutline& outline, const QString& editFile, bool modified,
                                    int currentItemIndex) {
    TRecoveryRecord record;
    record.EditFile = editFile;
    record.Modified = modified;
    record.CurrentItemIndex = currentItemIndex;
    CopyItems(outline, record.Outline);
    return record;
}

QByteArray TRecoveryRecord::Serialize() const {
    // Room for the longest record these labels can make, so that the buffer is never
    // copied: the pages it does not fill are never touched.
    qsizetype longest = 256 + 5 * EditFile.size();
    Outline.ForEach([&](const TOutlineItem* item) {
        longest += 96 + 5 * item->Label.size() + 2 * item->LabelBytes.size();
    });
    longest += 96 * static_cast<qsizetype>(SourceTexts.size());
    if (Loaded) longest += 96 + 5 * Loaded->path.size();
    TRecoveryFields::Output out(longest);
    out.Append(kLoadedVersionLine);
    out.Append('\n');
    out.Append(kFilePrefix);
    out.AppendEscaped(EditFile);
    out.Append('\n');
    out.Append(kModifiedPrefix);
    out.Append(Modified ? '1' : '0');
    out.Append('\n');
    out.Append(kCurrentPrefix);
    out.AppendNumber(CurrentItemIndex);
    out.Append('\n');
    out.Append(kLoadedPrefix);
    if (Loaded) {
        for (const qint64 field : {Loaded->size, static_cast<qint64>(Loaded->inode),
                                   Loaded->modified, Loaded->changed}) {
            out.AppendNumber(field);
            out.Append(' ');
        }
        out.AppendEscaped(Loaded->path);
    } else {
        out.Append(kNoBytes);
    }
    out.Append('\n');

    // Depth first, each item with the index of its parent's line.
    struct Frame {
        const TOutlineItem* item;
        int index;
        int row;
    };
    std::vector<Frame> stack{{Outline.Root(), -1, 0}};
    int count = 0;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.row == top.item->ChildCount()) {
            stack.pop_back();
            continue;
        }
        const TOutlineItem* item = top.item->Child(top.row++);
        if (top.index < 0)
            out.Append(kNoParent);
        else
            out.AppendNumber(top.index);
        out.Append(' ');
        out.AppendNumber(item->ItemNumber);
        out.Append(' ');
        out.Append(item->Expanded() ? '1' : '0');
        out.Append(' ');
        out.AppendNumber(item->ImageIndex);
        out.Append(' ');
        out.AppendNumber(item->SelectedIndex);
        out.Append(' ');
        if (item->LabelBytes.isEmpty())
            out.Append(kNoBytes);
        else
            out.AppendHex(item->LabelBytes);
        out.Append(' ');
        out.AppendEscaped(item->Label);
        out.Append('\n');
        stack.push_back({item, count++, 0});
    }
    for (const TWriteBehind::TSourceText& text : SourceTexts) {
        out.Append(kTextPrefix);
        out.AppendNumber(text.itemNumber);
        out.Append(' ');
        out.AppendNumber(text.offset);
        out.Append(' ');
        out.AppendNumber(text.length);
        out.Append(' ');
        out.AppendNumber(text.lineCount);
        out.Append('\n');
    }

    const quint64 checksum = TRecoveryFields::Checksum(out.Written());
    out.Append(kEndPrefix);
    out.AppendNumber(count);
    out.Append(' ');
    out.AppendChecksum(checksum);
    out.Append('\n');
    return out.Take();
}

TRecoveryRecord TRecoveryRecord::Parse(const QByteArray& bytes) {
    // The version first: a record of another version may be laid out in any way.
    const qsizetype firstBreak = bytes.indexOf('\n');
    const QByteArrayView firstLine =
        QByteArrayView(bytes).first(firstBreak < 0 ? bytes.size() : firstBreak);
    if (firstBreak < 0 && kVersionLine.startsWith(firstLine)) ThrowTruncated();
    const bool namesLoaded = firstLine == kLoadedVersionLine;
    const bool namesSourceTexts = firstLine == kSourceVersionLine || namesLoaded;
    if (firstLine != kVersionLine && !namesSourceTexts) {
        if (firstLine.startsWith(kVersionPrefix))
            throw AppError(QStringLiteral("復元用の記録の版 '%1' には対応していません。")
                               .arg(Shown(firstLine.sliced(kVersionPrefix.size()))));
        ThrowCorrupted(1, QStringLiteral("復元用の記録の始まりの行がありません。"));
    }
    // Then whether the record was written to its end.
    const qsizetype lastStart = bytes.lastIndexOf('\n', bytes.size() - 2) + 1;
    if (!bytes.endsWith('\n') || !QByteArrayView(bytes).sliced(lastStart).startsWith(kEndPrefix))
        ThrowTruncated();

    TRecoveryRecord record;
    TByteLines lines(QByteArrayView(bytes).first(lastStart), TByteLines::Breaks::LfOnly);
    lines.Next();

    const QByteArrayView fileLine = lines.Next();
    std::optional<QString> editFile =
        TRecoveryFields::Unescape(ValueOf(fileLine, kFilePrefix, lines.Number()));
    if (!editFile)
        ThrowCorrupted(lines.Number(), QStringLiteral("文書のパスの書き方が正しくありません。"));
    record.EditFile = std::move(*editFile);

    record.Modified = ParseFlagField(ValueOf(lines.Next(), kModifiedPrefix, lines.Number()),
                                     lines.Number(), QStringLiteral("変更の有無"));

    const QByteArrayView currentLine = lines.Next();
    const int currentLineNumber = lines.Number();
    record.CurrentItemIndex = ParseInt(ValueOf(currentLine, kCurrentPrefix, currentLineNumber),
                                       currentLineNumber, QStringLiteral("選択中の項目の番号"));
    if (namesLoaded)
        record.Loaded =
            ParseLoaded(ValueOf(lines.Next(), kLoadedPrefix, lines.Number()), lines.Number());

    // The items. path holds the line indexes and items of the last item read and its
    // ancestors: the parent of the next item must be one of them, or the order would
    // not be depth first.
    std::vector<int> pathIndexes;
    std::vector<TOutlineItem*> pathItems;
    QHash<int, int> lineOfNumber;
    int count = 0;
    while (!lines.AtEnd()) {
        const QByteArrayView line = lines.Next();
        const int lineNumber = lines.Number();
        if (namesSourceTexts && line.startsWith(kTextPrefix)) {
            record.SourceTexts.push_back(
                ParseSourceText(line.sliced(kTextPrefix.size()), lineNumber));
            continue;
        }
        if (!record.SourceTexts.empty())
            ThrowCorrupted(lineNumber, QStringLiteral("項目の行が文章の行の後にあります。"));
        Fields fields(line, lineNumber);

        const QByteArrayView parentField = fields.Next();
        if (parentField == kNoParent) {
            pathIndexes.clear();
            pathItems.clear();
        } else {
            const int parent = ParseInt(parentField, lineNumber, QStringLiteral("親項目の番号"));
            while (!pathIndexes.empty() && pathIndexes.back() > parent) {
                pathIndexes.pop_back();
                pathItems.pop_back();
            }
            if (pathIndexes.empty() || pathIndexes.back() != parent)
                ThrowCorrupted(
                    lineNumber,
                    QStringLiteral(
                        "親項目の番号 %1 は、この項目の親になれる前の項目を指していません。")
                        .arg(parent));
            if (static_cast<int>(pathIndexes.size()) >= TDocumentReader::kMaxDepth)
                ThrowCorrupted(lineNumber,
                               QStringLiteral("項目が %1 階層より深いところにあります。")
                                   .arg(TDocumentReader::kMaxDepth));
        }

        const int number = ParseInt(fields.Next(), lineNumber, QStringLiteral("項目番号"));
        if (const auto known = lineOfNumber.constFind(number); known != lineOfNumber.cend())
            ThrowCorrupted(lineNumber,
                           QStringLiteral("項目番号 %1 は %2 行目の項目と重なっています。")
                               .arg(number)
                               .arg(*known));
        lineOfNumber.insert(number, lineNumber);
        const bool expanded =
            ParseFlagField(fields.Next(), lineNumber, QStringLiteral("展開の状態"));
        const int imageIndex = ParseInt(fields.Next(), lineNumber, QStringLiteral("画像の番号"));
        const int selectedIndex =
            ParseInt(fields.Next(), lineNumber, QStringLiteral("選択時の画像の番号"));
        const QByteArrayView bytesField = fields.Next();
        std::optional<QByteArray> labelBytes = QByteArray();
        if (bytesField != kNoBytes) labelBytes = TRecoveryFields::FromHex(bytesField);
        if (!labelBytes)
            ThrowCorrupted(lineNumber,
                           QStringLiteral("見出しのバイト列 '%1' は正しい 16 進数ではありません。")
                               .arg(Shown(bytesField)));
        std::optional<QString> label = TRecoveryFields::Unescape(fields.Rest());
        if (!label)
            ThrowCorrupted(lineNumber, QStringLiteral("見出しの書き方が正しくありません。"));

        TOutlineItem* parentItem = pathItems.empty() ? record.Outline.Root() : pathItems.back();
        TOutlineItem* item =
            record.Outline.Insert(parentItem, parentItem->ChildCount(), *label, number);
        item->LabelBytes = std::move(*labelBytes);
        record.Outline.SetExpanded(item, expanded);
        item->ImageIndex = imageIndex;
        item->SelectedIndex = selectedIndex;
        pathIndexes.push_back(count++);
        pathItems.push_back(item);
    }

    // The last line: the number of items and the checksum of all before it.
    const int endLineNumber = lines.Number() + 1;
    Fields end(QByteArrayView(bytes).sliced(lastStart).chopped(1), endLineNumber);
    end.Next();
    const int endCount = ParseInt(end.Next(), endLineNumber, QStringLiteral("項目の数"));
    if (endCount != count)
        ThrowCorrupted(endLineNumber,
                       QStringLiteral("項目の数 %1 が、記録された項目の数 %2 と合いません。")
                           .arg(endCount)
                           .arg(count));
    if (record.CurrentItemIndex < -1 || record.CurrentItemIndex > count)
        ThrowCorrupted(currentLineNumber,
                       QStringLiteral("選択中の項目の番号 %1 は項目の範囲にありません。")
                           .arg(record.CurrentItemIndex));
    const std::optional<quint64> checksum = TRecoveryFields::ParseChecksum(end.Rest());
    if (!checksum)
        ThrowCorrupted(
            endLineNumber,
            QStringLiteral("検査値 '%1' は正しい 16 進数ではありません。").arg(Shown(end.Rest())));
    if (*checksum != TRecoveryFields::Checksum(QByteArrayView(bytes).first(lastStart)))
        throw AppError(QStringLiteral("復元用の記録が壊れています。内容が検査値と合いません。"));
    return record;
}

void TRecoveryRecord::Write(const QString& path, const TRecoveryRecord& record) {
    const QByteArray bytes = record.Serialize();
    // The record goes to a file of its own, reaches the disk and only then takes the
    // record's name: a crash or a power cut at any moment leaves either the old record
    // or the new one, each whole.
    TSafeFile::Replace(path, {bytes},
                       TSafeFile::Options::ThroughNamedFile(QStringLiteral(".new"),
                                                            TWholeFile::Durability::OnDisk));
}

std::optional<TRecoveryRecord> TRecoveryRecord::Read(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        if (errno == ENOENT) return std::nullopt;
        throw AppError::CannotOpen(QDir::toNativeSeparators(path), errno);
    }
#else
    if (!QFileInfo::exists(path)) return std::nullopt;
#endif
    return Parse(TDocumentReader::ReadFile(path));
}
