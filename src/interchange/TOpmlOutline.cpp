#include "interchange/TOpmlOutline.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "interchange/TEntryCollector.h"
#include "interchange/TExportText.h"
#include "interchange/TImportErrors.h"

namespace {

const QString kOutline = QStringLiteral("outline");

void CloseOutlines(QXmlStreamWriter& xml, int count) {
    for (int i = 0; i < count; ++i) xml.writeEndElement();
}

}  // namespace

TExport TOpmlOutline::Write(const TOutlineEntries& entries, const QString& title) {
    TExport result;
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("opml"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("2.0"));
    xml.writeStartElement(QStringLiteral("head"));
    xml.writeTextElement(QStringLiteral("title"),
                         TExportText::ForXml(TExportText::OneLine(title), &result.replacedBytes));
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("body"));
    int open = 0;
    for (const TOutlineEntry& entry : entries) {
        CloseOutlines(xml, open - entry.level + 1);
        open = entry.level;
        xml.writeStartElement(kOutline);
        // QXmlStreamWriter writes LF, CR and TAB in an attribute as character references.
        xml.writeAttribute(QStringLiteral("text"),
                           TExportText::ForXml(entry.label, &result.replacedBytes));
        if (!entry.text.isEmpty())
            xml.writeAttribute(QStringLiteral("_note"),
                               TExportText::ForXml(entry.text, &result.replacedBytes));
    }
    CloseOutlines(xml, open);
    xml.writeEndDocument();
    result.bytes = std::move(bytes);
    return result;
}

TOutlineEntries TOpmlOutline::Read(QByteArrayView bytes) {
    TImportErrors::CheckTextBytes(bytes);
    QXmlStreamReader xml(bytes.toByteArray());
    SkipToBody(xml);
    TEntryCollector entries;
    ReadBody(xml, entries);
    return entries.Take();
}

void TOpmlOutline::SkipToBody(QXmlStreamReader& xml) {
    const bool opml = xml.readNextStartElement() && xml.name() == u"opml";
    if (xml.hasError()) throw TImportErrors::MalformedXml(xml);
    if (!opml) throw NotOpml(xml, QStringLiteral("<opml>"));
    while (xml.readNextStartElement()) {
        if (xml.name() == u"body") return;
        xml.skipCurrentElement();
    }
    if (xml.hasError()) throw TImportErrors::MalformedXml(xml);
    throw NotOpml(xml, QStringLiteral("<body>"));
}

void TOpmlOutline::ReadBody(QXmlStreamReader& xml, TEntryCollector& entries) {
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == kOutline) {
            const QXmlStreamAttributes attributes = xml.attributes();
            const QString label = attributes.hasAttribute(QStringLiteral("text"))
                                      ? attributes.value(QStringLiteral("text")).toString()
                                      : attributes.value(QStringLiteral("title")).toString();
            entries.Add(++depth, label, attributes.value(QStringLiteral("_note")).toString(),
                        xml.lineNumber());
        } else if (xml.isStartElement()) {
            xml.skipCurrentElement();
        } else if (xml.isEndElement() && xml.name() == kOutline) {
            --depth;
        } else if (xml.isEndElement()) {
            break;  // </body>
        }
    }
    // The rest of the document must be well-formed too: a cut file has lost its end.
    while (!xml.atEnd()) xml.readNext();
    if (xml.hasError()) throw TImportErrors::MalformedXml(xml);
}

AppError TOpmlOutline::NotOpml(const QXmlStreamReader& xml, const QString& missing) {
    return TImportErrors::AtLine(
        xml.lineNumber(),
        QStringLiteral("OPML の文書ではありません（%1 がありません）").arg(missing));
}
