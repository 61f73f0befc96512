#include "document/TDocumentReader.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <vector>

#include "document/TByteLines.h"
#include "document/TDocumentFormatError.h"
#include "document/TItemTextStore.h"
#include "document/TOutlineItemModel.h"
#include "document/TTextLines.h"
#include "document/csvu.h"
#include "platform/AppError.h"
#include "platform/Cp932Codec.h"
#include "platform/TWholeFile.h"

namespace {

using Kind = TDocumentFormatError::Kind;

const QByteArrayView kHeaderMark("qlm oe data form");

using Breaks = TByteLines::Breaks;

// The text of a document ends at a NUL byte.
QByteArrayView ReadableText(QByteArrayView bytes) {
    const qsizetype nul = bytes.indexOf('\0');
    return nul >= 0 ? bytes.first(nul) : bytes;
}

// A decimal number without sign: digits only, at most INT_MAX. -1 otherwise.
int ParseNumber(QByteArrayView digits) { return TByteLines::ParseCount<int>(digits).value_or(-1); }

// A value as it may appear in a message: decoded and kept short.
QString Shown(QByteArrayView bytes) {
    return TByteLines::Shown(
        Cp932Codec::Decode(bytes.first(std::min(bytes.size(), TByteLines::kShownBytes))));
}

struct ParsedItem {
    int parent;  // item line index of the parent, -1 for a top-level item
    int depth;   // 1 for a top-level item
    QByteArrayView label;
    bool expanded;
    qsizetype textLine;  // first line of its text
    int textLineCount;
};

struct ParsedDocument {
    explicit ParsedDocument(QByteArrayView bytes) : lines(ReadableText(bytes), Breaks::Any) {}
    TByteLines lines;
    std::vector<ParsedItem> items;
};

// Reads and checks the whole document. Creates nothing.
ParsedDocument Parse(QByteArrayView bytes) {
    ParsedDocument document(bytes);
    const TByteLines& lines = document.lines;

    qsizetype treeLine = 0;
    if (lines.Count() > 0 && lines.Line(0).startsWith(kHeaderMark)) treeLine = 1;
    // Line numbers in messages count from 1, the header included.
    const auto lineNumber = [](qsizetype index) { return static_cast<int>(index + 1); };

    if (treeLine >= lines.Count())
        throw TDocumentFormatError(
            Kind::NoTreeLine, lineNumber(treeLine),
            QStringLiteral("文書ファイルに項目の一覧の行（Tree=…）がありません。"));

    // Name=Value fields of the tree line; names compared without regard to case, the
    // first of equal names wins.
    csv splitter;
    splitter.text = lines.Line(treeLine).toByteArray();
    splitter.tokns = ",";
    splitter.split();
    QHash<QByteArray, QByteArray> values;
    values.reserve(splitter.items.size());
    for (const QByteArray& field : splitter.items) {
        const qsizetype equals = field.indexOf('=');
        if (equals < 0) continue;
        const QByteArray name = field.left(equals).toLower();
        if (!values.contains(name)) values.insert(name, field.mid(equals + 1));
    }

    const int treeLineNumber = lineNumber(treeLine);
    const auto tree = values.constFind(QByteArrayLiteral("tree"));
    if (tree == values.constEnd())
        throw TDocumentFormatError(
            Kind::NoTreeField, treeLineNumber,
            QStringLiteral("%1 行目に項目数（Tree=）がありません。").arg(treeLineNumber));
    const int count = ParseNumber(*tree);
    if (count < 0)
        throw TDocumentFormatError(Kind::BadItemCount, treeLineNumber,
                                   QStringLiteral("%1 行目の項目数 '%2' は正しい数ではありません。")
                                       .arg(treeLineNumber)
                                       .arg(Shown(*tree)));
    if (count == 0)
        throw TDocumentFormatError(
            Kind::NoItems, treeLineNumber,
            QStringLiteral("%1 行目の項目数が 0 です。読み込む項目がありません。")
                .arg(treeLineNumber));

    const qsizetype firstItemLine = treeLine + 1;
    if (lines.Count() - firstItemLine < count) {
        const int lastLine = static_cast<int>(lines.Count());
        throw TDocumentFormatError(Kind::MissingItemLines, lastLine,
                                   QStringLiteral("項目の行が足りません。%1 行目の項目数は %2 "
                                                  "ですが、ファイルは %3 行目で終わっています。")
                                       .arg(treeLineNumber)
                                       .arg(count)
                                       .arg(lastLine));
    }

    document.items.reserve(count);
    qsizetype textLine = firstItemLine + count;
    for (int k = 0; k < count; ++k) {
        const QByteArray key = QByteArray::number(k);
        const auto value = values.constFind(key);
        if (value == values.constEnd())
            throw TDocumentFormatError(
                Kind::MissingLineCount, treeLineNumber,
                QStringLiteral("%1 行目に項目 %2 の文章の行数（%2=…）がありません。")
                    .arg(treeLineNumber)
                    .arg(k));
        const int lineCount = ParseNumber(*value);
        if (lineCount < 0)
            throw TDocumentFormatError(
                Kind::BadLineCount, treeLineNumber,
                QStringLiteral("%1 行目の項目 %2 の文章の行数 '%3' は正しい数ではありません。")
                    .arg(treeLineNumber)
                    .arg(k)
                    .arg(Shown(*value)));

        const qsizetype itemLine = firstItemLine + k;
        const int itemLineNumber = lineNumber(itemLine);
        const QByteArrayView line = lines.Line(itemLine);
        const qsizetype firstColon = line.indexOf(':');
        const qsizetype lastColon = line.lastIndexOf(':');
        if (firstColon < 0 || firstColon == lastColon)
            throw TDocumentFormatError(
                Kind::BadItemLine, itemLineNumber,
                QStringLiteral("%1 行目の項目の行に「親:見出し:展開」の 3 つの欄がありません。")
                    .arg(itemLineNumber));

        ParsedItem item;
        const QByteArrayView parentField = line.first(firstColon);
        if (parentField == QByteArrayView("nil")) {
            item.parent = -1;
        } else {
            item.parent = ParseNumber(parentField);
            if (item.parent < 0)
                throw TDocumentFormatError(
                    Kind::BadParentIndex, itemLineNumber,
                    QStringLiteral("%1 行目の親項目の番号 '%2' は正しい数ではありません。")
                        .arg(itemLineNumber)
                        .arg(Shown(parentField)));
            if (item.parent >= k)
                throw TDocumentFormatError(
                    Kind::ParentOutOfRange, itemLineNumber,
                    QStringLiteral(
                        "%1 行目の親項目の番号 %2 は、それより前の項目を指していません。")
                        .arg(itemLineNumber)
                        .arg(item.parent));
        }
        item.depth = item.parent < 0 ? 1 : document.items[item.parent].depth + 1;
        if (item.depth > TDocumentReader::kMaxDepth)
            throw TDocumentFormatError(
                Kind::TooDeep, itemLineNumber,
                QStringLiteral("%1 行目の項目は %2 階層より深いところにあります。"
                               "この深さのアウトラインは表示できません。")
                    .arg(itemLineNumber)
                    .arg(TDocumentReader::kMaxDepth));
        item.label = line.sliced(firstColon + 1, lastColon - firstColon - 1);
        item.expanded = line.sliced(lastColon + 1) == QByteArrayView("1");

        if (lines.Count() - textLine < lineCount)
            throw TDocumentFormatError(
                Kind::TruncatedText, static_cast<int>(lines.Count()),
                QStringLiteral(
                    "文章の行が足りません。項目 %1 の文章は %2 行目から %3 行のはずですが、"
                    "ファイルは %4 行目で終わっています。")
                    .arg(k)
                    .arg(lineNumber(textLine))
                    .arg(lineCount)
                    .arg(lines.Count()));
        item.textLine = textLine;
        item.textLineCount = lineCount;
        textLine += lineCount;
        document.items.push_back(item);
    }
    return document;
}

// The labels of every item. They are decoded in one call, since opening a converter
// for each label would cost more than decoding it; a line break byte never stands inside
// a double-byte character, so the decoded labels split where they were joined. Labels
// with broken characters are decoded one by one, as each would be on its own.
//
// irregular[k] tells whether label k would be written back in other bytes.
QStringList DecodeLabels(const std::vector<ParsedItem>& items, std::vector<bool>& irregular) {
    irregular.assign(items.size(), false);
    QByteArray joined;
    for (const ParsedItem& item : items) {
        joined += item.label;
        joined += '\n';
    }
    bool valid = false;
    QStringList labels = Cp932Codec::Decode(joined, &valid).split(u'\n');
    labels.removeLast();
    if (valid && labels.size() == qsizetype(items.size())) return labels;
    labels.clear();
    for (std::size_t k = 0; k < items.size(); ++k) {
        bool regular = false;
        labels << Cp932Codec::Decode(items[k].label, &regular);
        irregular[k] = !regular;
    }
    return labels;
}

}  // namespace

namespace {

// Where each item's text goes: its number and its lines as the document holds them.
using TextSink = std::function<void(int number, QByteArrayView block, int lineCount)>;

TDocumentReader::Result Build(const QByteArray& bytes,
                              const TDocumentReader::NumberAllocator& allocate,
                              const TextSink& storeText) {
    const ParsedDocument document = Parse(bytes);
    const TByteLines& lines = document.lines;

    TDocumentReader::Result result;
    TOutline& outline = result.outline;
    std::vector<TOutlineItem*> created;
    created.reserve(document.items.size());
    std::vector<bool> irregularLabels;
    const QStringList labels = DecodeLabels(document.items, irregularLabels);
    for (qsizetype k = 0; k < qsizetype(document.items.size()); ++k) {
        const ParsedItem& parsed = document.items[k];
        const int number = allocate();
        storeText(number, lines.Block(parsed.textLine, parsed.textLineCount), parsed.textLineCount);

        TOutlineItem* parent = parsed.parent < 0 ? outline.Root() : created[parsed.parent];
        TOutlineItem* item = outline.Insert(parent, parent->ChildCount(), labels[k], number);
        item->ImageIndex = 0;
        item->SelectedIndex = 1;
        outline.SetExpanded(item, parsed.expanded);
        if (irregularLabels[k]) item->LabelBytes = parsed.label.toByteArray();
        if (parsed.expanded) result.expanded.append(item);
        created.push_back(item);
    }
    return result;
}

}  // namespace

TDocumentReader::Result TDocumentReader::Read(const QByteArray& bytes,
                                              const NumberAllocator& allocate,
                                              const TItemTextStore& store) {
    Result result = Build(bytes, allocate, [&](int number, QByteArrayView block, int lineCount) {
        // Texts already in the form of an item text file are written as they are.
        if (!store.StoreDocumentLines(number, bytes, block, lineCount))
            store.Store(number, TTextLines::FromFile(Cp932Codec::Decode(block)));
    });
    store.WriteBehind();
    return result;
}

TDocumentReader::Result TDocumentReader::ReadInMemory(const QByteArray& bytes, QStringList& texts) {
    texts.clear();
    int next = 0;
    return Build(
        bytes, [&] { return next++; },
        [&](int, QByteArrayView block, int) {
            texts << TTextLines::FromFile(Cp932Codec::Decode(block));
        });
}

QList<TOutlineItem*> TDocumentReader::Read(const QByteArray& bytes, TOutlineItemModel& model,
                                           const NumberAllocator& allocate,
                                           const TItemTextStore& store) {
    Result result = Read(bytes, allocate, store);
    model.ReplaceOutline(std::move(result.outline));
    return result.expanded;
}

void TDocumentReader::Check(const QByteArray& bytes) { Parse(bytes); }

QByteArray TDocumentReader::ReadFile(const QString& path) {
    if (!QFileInfo(path).isFile()) throw AppError::NotARegularFile(QDir::toNativeSeparators(path));
    // Read into a buffer of the file's size: QFile's growing one takes three times as long
    // for tens of megabytes.
    QByteArray bytes;
    const int error = TWholeFile::Append(path, bytes);
    if (error != 0) throw AppError::CannotOpen(QDir::toNativeSeparators(path), error);
    return bytes;
}
