#include "interchange/THierarchicalText.h"

#include "document/TNodeName.h"
#include "document/TTextLines.h"
#include "interchange/TEntryCollector.h"
#include "interchange/TExportText.h"
#include "interchange/THierarchicalBytes.h"
#include "interchange/TImportedText.h"

namespace {

constexpr char16_t kEscape = u'\\';
const QLatin1String kLineEnd("\r\n");

bool IsLevelMark(QChar c) { return c == u'.' || c == u'．'; }

// Whether the line begins with backslashes (at least minimum of them) and a level mark.
bool IsMarkBehindEscapes(QStringView line, qsizetype minimum) {
    qsizetype escapes = 0;
    while (escapes < line.size() && line[escapes] == kEscape) ++escapes;
    return escapes >= minimum && escapes < line.size() && IsLevelMark(line[escapes]);
}

}  // namespace

TExport THierarchicalText::Write(const TOutlineEntries& entries, Encoding encoding,
                                 const TExportStream& stream) {
    return TExportText::InPieces(
        entries.size(),
        [&](qsizetype begin, qsizetype end) {
            QString text;
            for (qsizetype k = begin; k < end; ++k) {
                const TOutlineEntry& entry = entries[k];
                text.resize(text.size() + entry.level, QLatin1Char('.'));
                AppendEscaped(text, TExportText::OneLine(entry.label));
                text += kLineEnd;
                TExportText::ForEachLine(entry.text, [&](QStringView line) {
                    AppendEscaped(text, line);
                    text += kLineEnd;
                });
            }
            return encoding == Encoding::Utf8 ? TExportText::Utf8(text)
                                              : TExportText::ShiftJis(text);
        },
        {}, {}, stream);
}

TOutlineEntries THierarchicalText::Read(QByteArrayView bytes) {
    const QString text = TImportedText::Decode(bytes);
    TEntryCollector entries;
    // The lines of the last entry's text are taken in one piece when the entry ends: from
    // where they begin in text (-1 before the first of them), one by one only when one of
    // them has an escape to take off.
    qsizetype textBegin = -1;
    bool escaped = false;
    const auto endText = [&](qsizetype end) {
        if (textBegin < 0) return;
        const QStringView lines = QStringView(text).sliced(textBegin, end - textBegin);
        if (escaped)
            TImportedText::ForEachLine(
                lines, [&](QStringView line) { entries.AppendLine(Unescaped(line)); });
        else
            entries.SetLastText(TTextLines::FromFile(lines, TTextLines::Nul::IsCharacter));
        textBegin = -1;
        escaped = false;
    };
    qint64 number = 0;
    TImportedText::ForEachLine(text, [&](QStringView line) {
        ++number;
        const qsizetype at = line.data() - text.data();
        if (const int level = LevelMarks(line)) {
            endText(at);
            entries.Add(level, Unescaped(line.sliced(level)).toString(), QString(), number);
            return;
        }
        if (entries.IsEmpty()) {
            if (line.trimmed().isEmpty()) return;
            entries.Add(1,
                        TNodeName::FirstBytes(line.trimmed().toString(), TNodeName::kMaxLabelBytes),
                        QString(), number);
        }
        if (textBegin < 0) textBegin = at;
        escaped = escaped || IsMarkBehindEscapes(line, 1);
    });
    endText(text.size());
    return entries.Take();
}

TOutlineEntries THierarchicalText::ReadForStore(const QByteArray& bytes) {
    if (std::optional<TOutlineEntries> entries = THierarchicalBytes::Read(bytes))
        return std::move(*entries);
    return Read(bytes);
}

void THierarchicalText::AppendEscaped(QString& out, QStringView line) {
    if (IsMarkBehindEscapes(line, 0)) out += QChar(kEscape);
    out += line;
}

QStringView THierarchicalText::Unescaped(QStringView line) {
    return IsMarkBehindEscapes(line, 1) ? line.sliced(1) : line;
}

int THierarchicalText::LevelMarks(QStringView line) {
    int marks = 0;
    while (marks < line.size() && IsLevelMark(line[marks])) ++marks;
    return marks;
}
