#include "interchange/TMarkdownOutline.h"

#include <future>
#include <memory>

#include "document/TNodeName.h"
#include "interchange/TEntryCollector.h"
#include "interchange/TExportText.h"
#include "interchange/TImportedText.h"
#include "interchange/TMarkdownBytes.h"
#include "interchange/TMarkdownEscapes.h"
#include "interchange/TMarkdownHeadings.h"
#include "platform/TParallel.h"

namespace {

constexpr int kDeepestHeading = 6;
// Headings whose texts one thread cuts out before it asks for more.
constexpr qsizetype kHeadingsPerRun = 64;
// Files from this size on are parsed on a thread of their own while they are decoded.
constexpr qsizetype kParsedAlongside = 256 * 1024;

using THeadings = QList<TMarkdownHeadings::THeading>;

QString LevelCommentLine(int level) { return QStringLiteral("<!-- level %1 -->\n").arg(level); }

QString HeadingLine(const TOutlineEntry& entry) {
    const QString marks(std::min(entry.level, kDeepestHeading), QLatin1Char('#'));
    const QString label = TExportText::OneLine(entry.label);
    return label.isEmpty() ? marks : marks + u' ' + TMarkdownEscapes::Label(label);
}

bool IsBlank(QStringView line) { return line.trimmed().isEmpty(); }

// Whether the file is worth a thread and may be the UTF-8 with LF line ends that the
// parser reads as it is: no byte order mark, no end of file mark, no CR.
bool ParseAlongside(QByteArrayView bytes) {
    return bytes.size() >= kParsedAlongside && !bytes.startsWith("\xEF\xBB\xBF") &&
           !bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF") &&
           !bytes.endsWith('\x1A') && !bytes.contains('\r');
}

}  // namespace

TExport TMarkdownOutline::Write(const TOutlineEntries& entries, const TExportStream& stream) {
    return TExportText::InPieces(
        entries.size(),
        [&](qsizetype begin, qsizetype end) {
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
        },
        {}, {}, stream);
}

TOutlineEntries TMarkdownOutline::Read(QByteArrayView bytes) {
    // The parser reads such a file on a thread of its own while it is decoded here: the
    // two take about as long.
    std::future<THeadings> early;
    if (ParseAlongside(bytes))
        early = std::async(std::launch::async, TMarkdownHeadings::Read, bytes);
    bool plainUtf8 = false;
    const QString decoded = TImportedText::Decode(bytes, &plainUtf8);
    TLines lines;
    TImportedText::ForEachLine(decoded, [&](QStringView line) { lines.push_back(line); });
    // The parser reads the lines joined with LF only, so that it counts them as we do: the file
    // itself when it is that already.
    QByteArray joined;
    if (!plainUtf8 || bytes.contains('\r')) {
        QString text;
        text.reserve(decoded.size());
        for (const QStringView line : lines) (text += line) += u'\n';
        joined = text.toUtf8();
    }
    const THeadings headings =
        early.valid() && joined.isNull()
            ? early.get()
            : TMarkdownHeadings::Read(joined.isNull() ? bytes : QByteArrayView(joined));

    TEntryCollector entries;
    const qsizetype count = static_cast<qsizetype>(lines.size());
    const qsizetype prefaceEnd = headings.isEmpty() ? count : headings.first().firstLine;
    const auto firstWords = std::find_if_not(lines.cbegin(), lines.cbegin() + prefaceEnd, IsBlank);
    if (firstWords != lines.cbegin() + prefaceEnd) {
        entries.Add(
            1, TNodeName::FirstBytes(firstWords->trimmed().toString(), TNodeName::kMaxLabelBytes),
            Text(lines, 0, prefaceEnd), firstWords - lines.cbegin() + 1);
    }
    // The texts are cut out of the file, unescaped and copied on every processor.
    std::vector<QString> texts(headings.size());
    TParallel::ForRuns(
        headings.size(), kHeadingsPerRun, [&](qsizetype, qsizetype begin, qsizetype end) {
            for (qsizetype k = begin; k < end; ++k) {
                const qsizetype next = k + 1 < headings.size() ? headings[k + 1].firstLine : count;
                texts[k] = Text(lines, headings[k].textLine, next);
            }
        });
    for (qsizetype k = 0; k < headings.size(); ++k) {
        const TMarkdownHeadings::THeading& heading = headings[k];
        entries.Add(heading.level, heading.label, texts[k], heading.firstLine + 1);
    }
    return entries.Take();
}

TOutlineEntries TMarkdownOutline::ReadForStore(const QByteArray& bytes) {
    if (std::optional<TOutlineEntries> entries = TMarkdownBytes::Read(bytes))
        return std::move(*entries);
    return Read(bytes);
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
