#include "interchange/TMarkdownOutline.h"

#include <cmark.h>

#include <QRegularExpression>
#include <QStringDecoder>
#include <future>
#include <memory>

#include "document/TNodeName.h"
#include "interchange/TEntryCollector.h"
#include "interchange/TExportText.h"
#include "interchange/TImportedText.h"
#include "interchange/TMarkdownEscapes.h"

namespace {

constexpr int kDeepestHeading = 6;
// Files from this size on are parsed on a thread of their own while they are decoded.
constexpr qsizetype kParsedAlongside = 256 * 1024;

using TNodePointer = std::unique_ptr<cmark_node, decltype(&cmark_node_free)>;
using TIterPointer = std::unique_ptr<cmark_iter, decltype(&cmark_iter_free)>;

QString LevelCommentLine(int level) { return QStringLiteral("<!-- level %1 -->\n").arg(level); }

QString HeadingLine(const TOutlineEntry& entry) {
    const QString marks(std::min(entry.level, kDeepestHeading), QLatin1Char('#'));
    const QString label = TExportText::OneLine(entry.label);
    return label.isEmpty() ? marks : marks + u' ' + TMarkdownEscapes::Label(label);
}

bool IsBlank(QStringView line) { return line.trimmed().isEmpty(); }

TNodePointer Parse(QByteArrayView source) {
    return TNodePointer(
        cmark_parse_document(source.data(), static_cast<size_t>(source.size()), CMARK_OPT_DEFAULT),
        cmark_node_free);
}

// Whether the file is worth a thread and may be the UTF-8 with LF line ends that cmark
// reads as it is: no byte order mark, no end of file mark, no CR.
bool ParseAlongside(QByteArrayView bytes) {
    return bytes.size() >= kParsedAlongside && !bytes.startsWith("\xEF\xBB\xBF") &&
           !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF") &&
           !bytes.endsWith('\x1A') && !bytes.contains('\r');
}

}  // namespace

TExport TMarkdownOutline::Write(const TOutlineEntries& entries) {
    return TExportText::InPieces(entries.size(), [&](qsizetype begin, qsizetype end) {
        QString out;
        for (qsizetype k = begin; k < end; ++k) {
            const TOutlineEntry& entry = entries[k];
            if (entry.level > kDeepestHeading) out += LevelCommentLine(entry.level);
            out += HeadingLine(entry);
            out += u'\n';
            if (entry.text.isEmpty()) continue;
            out += u'\n';
            TExportText::ForEachLine(entry.text, [&](QStringView line) {
                TMarkdownEscapes::AppendTextLine(out, line);
                out += u'\n';
            });
            out += u'\n';
        }
        return TExportText::Utf8(out);
    });
}

TOutlineEntries TMarkdownOutline::Read(QByteArrayView bytes) {
    // The parser reads such a file on a thread of its own while it is decoded here: the
    // two take about as long.
    std::future<TNodePointer> early;
    if (ParseAlongside(bytes)) early = std::async(std::launch::async, Parse, bytes);
    bool plainUtf8 = false;
    const QString decoded = TImportedText::Decode(bytes, &plainUtf8);
    TLines lines;
    TImportedText::ForEachLine(decoded, [&](QStringView line) { lines.push_back(line); });
    // cmark reads the lines joined with LF only, so that it counts them as we do: the file
    // itself when it is that already.
    QByteArray joined;
    if (!plainUtf8 || bytes.contains('\r')) {
        QString text;
        text.reserve(decoded.size());
        for (const QStringView line : lines) (text += line) += u'\n';
        joined = text.toUtf8();
    }
    const TNodePointer document = early.valid() && joined.isNull()
                                      ? early.get()
                                      : Parse(joined.isNull() ? bytes : QByteArrayView(joined));
    const QList<THeading> headings = Headings(document.get());

    TEntryCollector entries;
    const qsizetype count = static_cast<qsizetype>(lines.size());
    const qsizetype prefaceEnd = headings.isEmpty() ? count : headings.first().firstLine;
    const auto firstWords = std::find_if_not(lines.cbegin(), lines.cbegin() + prefaceEnd, IsBlank);
    if (firstWords != lines.cbegin() + prefaceEnd) {
        entries.Add(
            1, TNodeName::FirstBytes(firstWords->trimmed().toString(), TNodeName::kMaxLabelBytes),
            Text(lines, 0, prefaceEnd), firstWords - lines.cbegin() + 1);
    }
    for (qsizetype k = 0; k < headings.size(); ++k) {
        const THeading& heading = headings[k];
        const qsizetype end = k + 1 < headings.size() ? headings[k + 1].firstLine : count;
        entries.Add(heading.level, heading.label, Text(lines, heading.textLine, end),
                    heading.firstLine + 1);
    }
    return entries.Take();
}

QList<TMarkdownOutline::THeading> TMarkdownOutline::Headings(cmark_node* document) {
    QList<THeading> headings;
    int commentLevel = 0;
    qsizetype commentLine = 0;
    for (cmark_node* node = cmark_node_first_child(document); node; node = cmark_node_next(node)) {
        const qsizetype firstLine = cmark_node_get_start_line(node) - 1;
        if (cmark_node_get_type(node) == CMARK_NODE_HEADING) {
            const int level = cmark_node_get_heading_level(node);
            const bool commented =
                commentLevel > 0 && level == kDeepestHeading && commentLine + 1 == firstLine;
            headings.append({commented ? commentLevel : level, InlineText(node),
                             commented ? commentLine : firstLine, cmark_node_get_end_line(node)});
        }
        commentLevel = LevelComment(node);
        commentLine = firstLine;
    }
    return headings;
}

QString TMarkdownOutline::InlineText(cmark_node* heading) {
    QByteArray text;
    const TIterPointer iter(cmark_iter_new(heading), cmark_iter_free);
    for (cmark_event_type event; (event = cmark_iter_next(iter.get())) != CMARK_EVENT_DONE;) {
        if (event != CMARK_EVENT_ENTER) continue;
        cmark_node* node = cmark_iter_get_node(iter.get());
        switch (cmark_node_get_type(node)) {
            case CMARK_NODE_TEXT:
            case CMARK_NODE_CODE:
            case CMARK_NODE_HTML_INLINE: text += cmark_node_get_literal(node); break;
            case CMARK_NODE_SOFTBREAK:
            case CMARK_NODE_LINEBREAK: text += ' '; break;
            default: break;
        }
    }
    // QString::fromUtf8 would take a U+FEFF at the start for a byte order mark and drop it.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    // Inline HTML may go on over a line break.
    return TExportText::OneLine(decoder.decode(text));
}

int TMarkdownOutline::LevelComment(cmark_node* block) {
    if (cmark_node_get_type(block) != CMARK_NODE_HTML_BLOCK) return 0;
    static const QRegularExpression comment(QStringLiteral("^<!-- level ([0-9]{1,9}) -->\n?$"));
    const QRegularExpressionMatch match =
        comment.match(QString::fromUtf8(cmark_node_get_literal(block)));
    const int level = match.hasMatch() ? match.captured(1).toInt() : 0;
    return level > kDeepestHeading ? level : 0;
}

QString TMarkdownOutline::Text(const TLines& lines, qsizetype begin, qsizetype end) {
    // The blank lines around a text separate it from the headings; they are not its own.
    if (begin < end && IsBlank(lines[begin])) ++begin;
    if (begin < end && IsBlank(lines[end - 1])) --end;
    if (begin >= end) return QString();
    // Lines that stand in the decoded file one LF apart, with nothing to unescape, are
    // the text as they stand.
    const auto afterLf = [&](qsizetype i) {
        const QChar* previousEnd = lines[i - 1].data() + lines[i - 1].size();
        return lines[i].data() == previousEnd + 1 && *previousEnd == u'\n';
    };
    bool asTheyStand = true;
    for (qsizetype i = begin; i < end && asTheyStand; ++i)
        asTheyStand = TMarkdownEscapes::HasNoEscapes(lines[i]) && (i == begin || afterLf(i));
    if (asTheyStand)
        return QStringView(lines[begin].data(), lines[end - 1].data() + lines[end - 1].size())
            .toString();
    QString text;
    for (qsizetype i = begin; i < end; ++i) {
        if (i > begin) text += u'\n';
        TMarkdownEscapes::AppendUnescapedTextLine(text, lines[i]);
    }
    return text;
}
