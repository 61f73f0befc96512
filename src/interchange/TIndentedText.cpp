#include "interchange/TIndentedText.h"

#include <climits>

#include "interchange/TEntryCollector.h"
#include "interchange/TImportedText.h"

namespace {

qsizetype LeadingSpaces(const QString& line) {
    qsizetype spaces = 0;
    while (spaces < line.size() && line[spaces] == u' ') ++spaces;
    return spaces;
}

}  // namespace

TOutlineEntries TIndentedText::Read(QByteArrayView bytes) {
    const QStringList lines = TImportedText::Lines(bytes);
    const int spaceIndent = SpaceIndent(lines);
    TEntryCollector entries;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString label = lines[i].trimmed();
        if (label.isEmpty()) continue;
        const qsizetype level = 1 + IndentsOf(lines[i], spaceIndent);
        entries.Add(static_cast<int>(std::min<qsizetype>(level, INT_MAX)), label, QString(), i + 1);
    }
    return entries.Take();
}

int TIndentedText::SpaceIndent(const QStringList& lines) {
    qsizetype smallest = 0;
    for (const QString& line : lines) {
        const qsizetype spaces = LeadingSpaces(line);
        if (spaces > 0 && spaces < line.size() && (smallest == 0 || spaces < smallest))
            smallest = spaces;
    }
    return smallest > 0 ? static_cast<int>(std::min<qsizetype>(smallest, INT_MAX)) : 1;
}

qsizetype TIndentedText::IndentsOf(const QString& line, int spaceIndent) {
    qsizetype indents = 0;
    qsizetype spaces = 0;
    for (QChar c : line) {
        if (c == u'\t') {
            ++indents;
        } else if (c == u' ') {
            ++spaces;
        } else {
            break;
        }
    }
    return indents + spaces / spaceIndent;
}
