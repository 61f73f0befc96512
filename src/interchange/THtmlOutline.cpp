#include "interchange/THtmlOutline.h"

#include "interchange/TExportText.h"

namespace {

constexpr int kDeepestHeading = 6;

// Headings stay with the text after them on paper, and the contents get a page of their
// own; their links mean nothing there but their numbers of pages are not known either.
const char* const kStyle = R"(
body { font-family: sans-serif; line-height: 1.6; max-width: 50em; margin: 1em auto; padding: 0 1em; }
nav ul { list-style: none; padding-left: 1.5em; }
nav > ul { padding-left: 0; }
.text { white-space: pre-wrap; overflow-wrap: break-word; margin: 0.5em 0 1.5em; }
h6[class] { font-size: 1em; }
@media print {
  body { max-width: none; margin: 0; }
  nav { page-break-after: always; break-after: page; }
  nav a { color: inherit; text-decoration: none; }
  h1, h2, h3, h4, h5, h6 { page-break-after: avoid; break-after: avoid; page-break-inside: avoid; break-inside: avoid; }
  .text { orphans: 3; widows: 3; }
}
)";

// The table of contents names an item without a label so that its link can be clicked.
const QByteArray kNoLabel = QStringLiteral("（無題）").toUtf8();

QByteArray Id(qsizetype index) { return "item-" + QByteArray::number(index + 1); }

QByteArray HeadingTag(int level) {
    return 'h' + QByteArray::number(std::min(level, kDeepestHeading));
}

}  // namespace

TExport THtmlOutline::Write(const TOutlineEntries& entries, const QString& title,
                            const TExportStream& stream) {
    int replaced = 0;
    QByteArray page =
        "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\" />\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />\n"
        "<title>";
    TExportText::AppendXml(page, TExportText::OneLine(title), false, &replaced);
    page += "</title>\n<style>";
    page += kStyle;
    page += "</style>\n</head>\n<body>\n";
    // The labels are counted where they stand as headings.
    int replacedAgain = 0;
    page += Contents(entries, &replacedAgain);
    page += "<main>\n";
    TExport result = TExportText::InPieces(
        entries.size(),
        [&](qsizetype begin, qsizetype end) {
            TExport piece;
            piece.bytes = Items(entries, begin, end, &piece.replacedBytes);
            return piece;
        },
        page, "</main>\n</body>\n</html>\n", stream);
    result.replacedBytes += replaced;
    return result;
}

QByteArray THtmlOutline::Contents(const TOutlineEntries& entries, int* replaced) {
    QByteArray out = QStringLiteral("<nav aria-label=\"目次\">\n").toUtf8();
    int open = 0;
    for (qsizetype k = 0; k < entries.size(); ++k) {
        const int level = entries[k].level;
        if (level > open) {
            out += "<ul>\n";
        } else {
            out += "</li>\n";
            for (int i = level; i < open; ++i) out += "</ul>\n</li>\n";
        }
        open = level;
        const QString label = TExportText::OneLine(entries[k].label);
        out += "<li><a href=\"#";
        out += Id(k);
        out += "\">";
        if (label.isEmpty())
            out += kNoLabel;
        else
            TExportText::AppendXml(out, label, false, replaced);
        out += "</a>";
    }
    for (int i = 0; i < open; ++i) out += "</li>\n</ul>\n";
    return out + "</nav>\n";
}

QByteArray THtmlOutline::Items(const TOutlineEntries& entries, qsizetype begin, qsizetype end,
                               int* replaced) {
    QByteArray out;
    for (qsizetype k = begin; k < end; ++k) {
        const TOutlineEntry& entry = entries[k];
        const QByteArray tag = HeadingTag(entry.level);
        out += '<' + tag + " id=\"" + Id(k) + '"';
        if (entry.level > kDeepestHeading)
            out += " class=\"level-" + QByteArray::number(entry.level) + '"';
        out += '>';
        TExportText::AppendXml(out, TExportText::OneLine(entry.label), false, replaced);
        out += "</" + tag + ">\n";
        if (entry.text.isEmpty()) continue;
        out += "<div class=\"text\">";
        bool first = true;
        TExportText::ForEachLine(entry.text, [&](QStringView line) {
            if (!first) out += '\n';
            first = false;
            TExportText::AppendXml(out, line, false, replaced);
        });
        out += "</div>\n";
    }
    return out;
}
