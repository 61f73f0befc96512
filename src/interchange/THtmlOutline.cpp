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
const QString kNoLabel = QStringLiteral("（無題）");

QString Id(qsizetype index) { return QStringLiteral("item-%1").arg(index + 1); }

QString HeadingTag(int level) {
    return QStringLiteral("h%1").arg(std::min(level, kDeepestHeading));
}

}  // namespace

TExport THtmlOutline::Write(const TOutlineEntries& entries, const QString& title) {
    int replaced = 0;
    QString page = QStringLiteral(
        "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\" />\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />\n"
        "<title>");
    TExportText::AppendXml(page, TExportText::OneLine(title), false, &replaced);
    page += QStringLiteral("</title>\n<style>%1</style>\n</head>\n<body>\n")
                .arg(QString::fromLatin1(kStyle));
    // The labels are counted where they stand as headings.
    int replacedAgain = 0;
    page += Contents(entries, &replacedAgain);
    page += QStringLiteral("<main>\n");
    TExport result = TExportText::InPieces(
        entries.size(),
        [&](qsizetype begin, qsizetype end) {
            TExport piece;
            piece.bytes = Items(entries, begin, end, &piece.replacedBytes).toUtf8();
            return piece;
        },
        page.toUtf8(), "</main>\n</body>\n</html>\n");
    result.replacedBytes += replaced;
    return result;
}

QString THtmlOutline::Contents(const TOutlineEntries& entries, int* replaced) {
    QString out = QStringLiteral("<nav aria-label=\"目次\">\n");
    int open = 0;
    for (qsizetype k = 0; k < entries.size(); ++k) {
        const int level = entries[k].level;
        if (level > open) {
            out += QLatin1String("<ul>\n");
        } else {
            out += QLatin1String("</li>\n");
            for (int i = level; i < open; ++i) out += QLatin1String("</ul>\n</li>\n");
        }
        open = level;
        const QString label = TExportText::OneLine(entries[k].label);
        out += QLatin1String("<li><a href=\"#");
        out += Id(k);
        out += QLatin1String("\">");
        if (label.isEmpty())
            out += kNoLabel;
        else
            TExportText::AppendXml(out, label, false, replaced);
        out += QLatin1String("</a>");
    }
    for (int i = 0; i < open; ++i) out += QLatin1String("</li>\n</ul>\n");
    return out + QStringLiteral("</nav>\n");
}

QString THtmlOutline::Items(const TOutlineEntries& entries, qsizetype begin, qsizetype end,
                            int* replaced) {
    QString out;
    for (qsizetype k = begin; k < end; ++k) {
        const TOutlineEntry& entry = entries[k];
        const QString tag = HeadingTag(entry.level);
        out += u'<' + tag + QLatin1String(" id=\"") + Id(k) + u'"';
        if (entry.level > kDeepestHeading)
            out += QStringLiteral(" class=\"level-%1\"").arg(entry.level);
        out += u'>';
        TExportText::AppendXml(out, TExportText::OneLine(entry.label), false, replaced);
        out += QLatin1String("</") + tag + QLatin1String(">\n");
        if (entry.text.isEmpty()) continue;
        out += QLatin1String("<div class=\"text\">");
        bool first = true;
        TExportText::ForEachLine(entry.text, [&](QStringView line) {
            if (!first) out += u'\n';
            first = false;
            TExportText::AppendXml(out, line, false, replaced);
        });
        out += QLatin1String("</div>\n");
    }
    return out;
}
