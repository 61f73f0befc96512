#include "interchange/THierarchicalText.h"

#include "document/TNodeName.h"
#include "interchange/TEntryCollector.h"
#include "interchange/TExportText.h"
#include "interchange/TImportedText.h"

namespace {

constexpr char16_t kEscape = u'\\';
const QString kLineEnd = QStringLiteral("\r\n");

bool IsLevelMark(QChar c) { return c == u'.' || c == u'．'; }

// Whether the line begins with backslashes (at least minimum of them) and a level mark.
bool IsMarkBehindEscapes(const QString& line, qsizetype minimum) {
    qsizetype escapes = 0;
    while (escapes < line.size() && line[escapes] == kEscape) ++escapes;
    return escapes >= minimum && escapes < line.size() && IsLevelMark(line[escapes]);
}

}  // namespace

TExport THierarchicalText::Write(const TOutlineEntries& entries, Encoding encoding) {
    QString text;
    for (const TOutlineEntry& entry : entries) {
        text += QString(entry.level, QLatin1Char('.')) +
                Escaped(TExportText::OneLine(entry.label)) + kLineEnd;
        for (const QString& line : TExportText::Lines(entry.text)) text += Escaped(line) + kLineEnd;
    }
    return encoding == Encoding::Utf8 ? TExportText::Utf8(text) : TExportText::ShiftJis(text);
}

TOutlineEntries THierarchicalText::Read(QByteArrayView bytes) {
    const QStringList lines = TImportedText::Lines(bytes);
    TEntryCollector entries;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (const int level = LevelMarks(line)) {
            entries.Add(level, Unescaped(line.mid(level)), QString(), i + 1);
        } else if (!entries.IsEmpty()) {
            entries.AppendLine(Unescaped(line));
        } else if (!line.trimmed().isEmpty()) {
            entries.Add(1, TNodeName::FirstBytes(line.trimmed(), TNodeName::kMaxLabelBytes),
                        QString(), i + 1);
            entries.AppendLine(Unescaped(line));
        }
    }
    return entries.Take();
}

QString THierarchicalText::Escaped(const QString& line) {
    return IsMarkBehindEscapes(line, 0) ? QChar(kEscape) + line : line;
}

QString THierarchicalText::Unescaped(const QString& line) {
    return IsMarkBehindEscapes(line, 1) ? line.mid(1) : line;
}

int THierarchicalText::LevelMarks(const QString& line) {
    int marks = 0;
    while (marks < line.size() && IsLevelMark(line[marks])) ++marks;
    return marks;
}
