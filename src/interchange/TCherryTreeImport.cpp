#include "interchange/TCherryTreeImport.h"

#include <QXmlStreamReader>
#include <algorithm>

#include "document/TDocumentReader.h"
#include "interchange/TEntryCollector.h"
#include "interchange/TImportErrors.h"

namespace {

// The UTF-16 index of the character count code points into text.
qsizetype IndexOfCodePoint(const QString& text, qint64 count) {
    qsizetype index = 0;
    for (qint64 k = 0; k < count && index < text.size(); ++k)
        index += (text[index].isHighSurrogate() && index + 1 < text.size()) ? 2 : 1;
    return index;
}

}  // namespace

TOutlineEntries TCherryTreeImport::Read(QByteArrayView bytes) {
    TImportErrors::CheckTextBytes(bytes);
    QXmlStreamReader xml(bytes.toByteArray());
    if (!xml.readNextStartElement()) throw TImportErrors::MalformedXml(xml);
    if (xml.name() != u"cherrytree")
        throw TImportErrors::AtLine(
            xml.lineNumber(),
            QStringLiteral("CherryTree の文書ではありません（<cherrytree> がありません）"));
    TEntryCollector entries;
    for (const TNode& node : Nodes(xml)) entries.Add(node.level, node.label, Text(node), node.line);
    return entries.Take();
}

QList<TCherryTreeImport::TNode> TCherryTreeImport::Nodes(QXmlStreamReader& xml) {
    QList<TNode> nodes;
    // The nodes that are open, innermost last, by index into nodes.
    QList<qsizetype> open;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"node") {
            if (open.size() >= TDocumentReader::kMaxDepth)
                throw TImportErrors::TooDeep(xml.lineNumber());
            open.append(nodes.size());
            nodes.append({static_cast<int>(open.size()),
                          xml.attributes().value(QStringLiteral("name")).toString(),
                          QString(),
                          {},
                          xml.lineNumber()});
        } else if (xml.isEndElement() && xml.name() == u"node" && !open.isEmpty()) {
            open.removeLast();
        } else if (xml.isStartElement() && !open.isEmpty()) {
            TNode& node = nodes[open.last()];
            const qint64 offset =
                xml.attributes().value(QStringLiteral("char_offset")).toLongLong();
            if (xml.name() == u"rich_text") {
                node.richText += xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (xml.name() == u"codebox") {
                node.anchored.append(
                    {offset, xml.readElementText(QXmlStreamReader::IncludeChildElements)});
            } else if (xml.name() == u"table") {
                node.anchored.append({offset, TableText(xml)});
            } else {
                node.anchored.append({offset, QString()});
                xml.skipCurrentElement();
            }
        }
    }
    if (xml.hasError()) throw TImportErrors::MalformedXml(xml);
    return nodes;
}

QString TCherryTreeImport::TableText(QXmlStreamReader& xml) {
    QStringList rows;
    while (xml.readNextStartElement()) {
        if (xml.name() != u"row") {
            xml.skipCurrentElement();
            continue;
        }
        QStringList cells;
        while (xml.readNextStartElement())
            cells << xml.readElementText(QXmlStreamReader::IncludeChildElements);
        rows << cells.join(u'\t');
    }
    return rows.join(u'\n');
}

QString TCherryTreeImport::Text(const TNode& node) {
    QList<TAnchored> anchored = node.anchored;
    std::stable_sort(anchored.begin(), anchored.end(),
                     [](const TAnchored& a, const TAnchored& b) { return a.offset < b.offset; });
    QString text;
    qsizetype taken = 0;
    for (qsizetype k = 0; k < anchored.size(); ++k) {
        // Each anchor before this one took a character of the offset that the rich text
        // does not have.
        const qint64 codePoints = std::max<qint64>(0, anchored[k].offset - k);
        const qsizetype at = std::max(taken, IndexOfCodePoint(node.richText, codePoints));
        text += node.richText.mid(taken, at - taken) + anchored[k].text;
        taken = at;
    }
    return text + node.richText.mid(taken);
}
