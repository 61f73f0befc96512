#include "interchange/TOpmlOutline.h"

#include <QXmlStreamReader>

#include "interchange/TEntryCollector.h"
#include "interchange/TExportText.h"
#include "interchange/TImportErrors.h"
#include "interchange/TOpmlLines.h"
#include "interchange/TOpmlTree.h"

namespace {

const QString kOutline = QStringLiteral("outline");

void Indent(QByteArray& out, int depth) { out.resize(out.size() + 2 * depth, ' '); }

}  // namespace

TExport TOpmlOutline::Write(const TOutlineEntries& entries, const QString& title,
                            const TExportStream& stream) {
    int replaced = 0;
    QByteArray head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\">\n  <head>\n"
        "    <title>";
    TExportText::AppendXml(head, TExportText::OneLine(title), false, &replaced);
    head += "</title>\n  </head>\n  <body>\n";
    const auto outlines = [&](qsizetype begin, qsizetype end) {
        TExport piece;
        QByteArray& out = piece.bytes;
        for (qsizetype k = begin; k < end; ++k) {
            const TOutlineEntry& entry = entries[k];
            // Inside <opml> and <body>: an item of level 1 stands two levels in.
            Indent(out, entry.level + 1);
            out += "<outline text=\"";
            TExportText::AppendXml(out, entry.label, true, &piece.replacedBytes);
            if (!entry.text.isEmpty()) {
                out += "\" _note=\"";
                TExportText::AppendXml(out, entry.text, true, &piece.replacedBytes);
            }
            const int next = k + 1 < entries.size() ? entries[k + 1].level : 0;
            out += next > entry.level ? "\">\n" : "\"/>\n";
            for (int level = entry.level - 1; level >= next && level > 0; --level) {
                Indent(out, level + 1);
                out += "</outline>\n";
            }
        }
        return piece;
    };
    TExport body =
        TExportText::InPieces(entries.size(), outlines, head, "  </body>\n</opml>\n", stream);
    body.replacedBytes += replaced;
    return body;
}

TOutlineEntries TOpmlOutline::Read(QByteArrayView bytes) {
    return ReadAs(bytes, TEntryTexts::Decoded);
}

TOutlineEntries TOpmlOutline::ReadForStore(QByteArrayView bytes) {
    return ReadAs(bytes, TEntryTexts::AsFileBytes);
}

TOutlineEntries TOpmlOutline::ReadAs(QByteArrayView bytes, TEntryTexts texts) {
    TImportErrors::CheckTextBytes(bytes);
    // Our own export's shape is read quickest; the tree takes any plain document.
    if (std::optional<TOutlineEntries> entries = TOpmlLines::Read(bytes, texts))
        return std::move(*entries);
    if (std::optional<TOutlineEntries> entries = TOpmlTree::Read(bytes, texts))
        return std::move(*entries);
    // What the tree does not take is read again here, and the fault named. The reader reads the
    // caller's bytes where they are, without a copy of tens of megabytes.
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), bytes.size()));
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
