#include "document/TDocumentWriter.h"

#include <QHash>
#include <algorithm>
#include <functional>

#include "document/TItemTextStore.h"
#include "document/TOutline.h"
#include "document/TTextLines.h"
#include "platform/AppError.h"
#include "platform/Cp932Codec.h"

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

// Appends an item's text lines to the output's texts and gives their number.
using TextAppender = std::function<qsizetype(const TOutlineItem& item, TDocumentWriter::Output&)>;

TDocumentWriter::Output WriteWith(const TOutline& outline, const TextAppender& appendText) {
    if (outline.IsEmpty()) throw AppError(TDocumentWriter::EmptyOutlineText());

    using Output = TDocumentWriter::Output;
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

        const qsizetype lineCount = appendText(*item, output);

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
    head += TDocumentWriter::kHeader;
    head += kLineBreak;
    head += treeLine;
    head += kLineBreak;
    head += itemLines;
    return output;
}

qsizetype AppendTextOf(QStringView text, TDocumentWriter::Output& output) {
    AppendText(output.texts, text, output.unencodable);
    return TTextLines::LineCount(text);
}

}  // namespace

TDocumentWriter::Output TDocumentWriter::Write(const TOutline& outline, const TItemTextStore& store,
                                               const std::optional<TTextInMemory>& inMemory) {
    return WriteWith(outline, [&](const TOutlineItem& item, Output& output) -> qsizetype {
        // Files in the document's own form go in as they are; others are converted. A
        // missing file stops the save (it cannot be opened).
        qsizetype lineCount = 0;
        const bool fromMemory = inMemory && inMemory->itemNumber == item.ItemNumber;
        if (!fromMemory && store.AppendDocumentLines(item.ItemNumber, output.texts, &lineCount))
            return lineCount;
        return AppendTextOf(fromMemory ? inMemory->text : store.Load(item.ItemNumber), output);
    });
}

TDocumentWriter::Output TDocumentWriter::Write(const TOutline& outline, const TextOf& textOf) {
    return WriteWith(outline, [&](const TOutlineItem& item, Output& output) {
        return AppendTextOf(textOf(item), output);
    });
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
