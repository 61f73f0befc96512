#include "interchange/TEntryCollector.h"

#include "document/TDocumentReader.h"
#include "interchange/TImportErrors.h"

void TEntryCollector::Add(int level, const QString& label, const QString& text, qint64 line) {
    if (level > TDocumentReader::kMaxDepth) throw TImportErrors::TooDeep(line);
    entries_.append({std::clamp(level, 1, LastLevel() + 1), label, text});
    lastHasLines_ = !text.isEmpty();
}

void TEntryCollector::AppendLine(QStringView line) {
    QString& text = entries_.last().text;
    if (lastHasLines_) text += QLatin1Char('\n');
    text += line;
    lastHasLines_ = true;
}

void TEntryCollector::SetLastText(QString text) {
    lastHasLines_ = !text.isEmpty();
    entries_.last().text = std::move(text);
}

void TEntryCollector::SetLastFileText(TItemFileBytes bytes) {
    lastHasLines_ = bytes.length > 0;
    entries_.last().fileText = std::move(bytes);
}

TOutlineEntries TEntryCollector::Take() {
    if (entries_.isEmpty()) throw TImportErrors::NoItems();
    return std::move(entries_);
}
