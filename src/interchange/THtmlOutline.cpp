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
    TExport result;
    const QString name = Escaped(TExportText::OneLine(title), &result.replacedBytes);
    QString page =
        QStringLiteral(
            "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\" />\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\" />\n"
            "<title>%1</title>\n<style>%2</style>\n</head>\n<body>\n")
            .arg(name, QString::fromLatin1(kStyle));
    // The labels are counted where they stand as headings.
    int replacedAgain = 0;
    page += Contents(entries, &replacedAgain);
    page += QStringLiteral("<main>\n") + Items(entries, &result.replacedBytes) +
            QStringLiteral("</main>\n</body>\n</html>\n");
    result.bytes = page.toUtf8();
    return result;
}

QString THtmlOutline::Contents(const TOutlineEntries& entries, int* replaced) {
    QString out = QStringLiteral("<nav aria-label=\"目次\">\n");
    int open = 0;
    for (qsizetype k = 0; k < entries.size(); ++k) {
        const int level = entries[k].level;
        if (level > open) {
            out += QStringLiteral("<ul>\n");
        } else {
            out += QStringLiteral("</li>\n");
            for (int i = level; i < open; ++i) out += QStringLiteral("</ul>\n</li>\n");
        }
        open = level;
        const QString label = TExportText::OneLine(entries[k].label);
        out += QStringLiteral("<li><a href=\"#%1\">%2</a>")
                   .arg(Id(k), label.isEmpty() ? kNoLabel : Escaped(label, replaced));
    }
    for (int i = 0; i < open; ++i) out += QStringLiteral("</li>\n</ul>\n");
    return out + QStringLiteral("</nav>\n");
}

QString THtmlOutline::Items(const TOutlineEntries& entries, int* replaced) {
    QString out;
    for (qsizetype k = 0; k < entries.size(); ++k) {
        const TOutlineEntry& entry = entries[k];
        const QString tag = HeadingTag(entry.level);
        const QString levelClass = entry.level > kDeepestHeading
                                       ? QStringLiteral(" class=\"level-%1\"").arg(entry.level)
                                       : QString();
        out +=
            QStringLiteral("<%1 id=\"%2\"%3>%4</%1>\n")
                .arg(tag, Id(k), levelClass, Escaped(TExportText::OneLine(entry.label), replaced));
        if (!entry.text.isEmpty())
            out += QStringLiteral("<div class=\"text\">%1</div>\n")
                       .arg(Escaped(TExportText::Lines(entry.text).join(u'\n'), replaced));
    }
    return out;
}

QString THtmlOutline::Escaped(const QString& text, int* replaced) {
    QString out;
    out.reserve(text.size());
    for (QChar c : TExportText::ForXml(text, replaced)) {
        switch (c.unicode()) {
            case u'&': out += QStringLiteral("&amp;"); break;
            case u'<': out += QStringLiteral("&lt;"); break;
            case u'>': out += QStringLiteral("&gt;"); break;
            case u'"': out += QStringLiteral("&quot;"); break;
            default: out += c;
        }
    }
    return out;
}
