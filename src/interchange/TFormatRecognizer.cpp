#include "interchange/TFormatRecognizer.h"

#include <QByteArrayList>

namespace {

// Enough of the file to tell the formats apart, whatever its size.
constexpr qsizetype kHeadBytes = 64 * 1024;
// Longer lines are sentences, not the labels of an outline.
constexpr qsizetype kLongestLabelLine = 200;

const char* const kUtf8Mark = "\xEF\xBB\xBF";

QByteArrayView WithoutMark(QByteArrayView bytes) {
    return bytes.startsWith(kUtf8Mark) ? bytes.sliced(3) : bytes;
}

bool IsBlank(QByteArrayView line) { return line.trimmed().isEmpty(); }

QByteArrayList LinesOf(QByteArrayView head) {
    QByteArray unified = head.toByteArray();
    unified.replace("\r\n", "\n").replace('\r', '\n');
    return unified.split('\n');
}

QByteArrayView FirstWords(const QByteArrayList& lines) {
    for (const QByteArray& line : lines)
        if (!IsBlank(line)) return line;
    return {};
}

bool EndsWith(const QString& fileName, const char* extension) {
    return fileName.endsWith(QLatin1String(extension), Qt::CaseInsensitive);
}

}  // namespace

TImportFormat TFormatRecognizer::Recognize(QByteArrayView bytes, const QString& fileName) {
    const QByteArrayView head = WithoutMark(bytes.first(std::min(bytes.size(), kHeadBytes)));
    const QByteArrayView start = head.trimmed();
    if (start.startsWith('<')) {
        if (start.contains("<opml")) return TImportFormat::Opml;
        if (start.contains("<cherrytree")) return TImportFormat::CherryTree;
    }
    if (start.startsWith('{') && head.contains("\"nodes\"")) return TImportFormat::TreeLine;
    if (EndsWith(fileName, ".md") || EndsWith(fileName, ".markdown"))
        return TImportFormat::Markdown;

    const QByteArrayList lines = LinesOf(head);
    const QByteArrayView first = FirstWords(lines);
    if (IsMarkdownHeading(first)) return TImportFormat::Markdown;
    if (IsHierarchicalHeading(first)) return TImportFormat::HierarchicalText;
    if (IsIndentedList(head)) return TImportFormat::IndentedText;
    return TImportFormat::PlainText;
}

bool TFormatRecognizer::IsMarkdownHeading(QByteArrayView line) {
    qsizetype marks = 0;
    while (marks < line.size() && line[marks] == '#') ++marks;
    return marks >= 1 && marks <= 6 && marks < line.size() &&
           (line[marks] == ' ' || line[marks] == '\t');
}

bool TFormatRecognizer::IsHierarchicalHeading(QByteArrayView line) {
    // "．" in UTF-8 and in Shift-JIS.
    return line.startsWith('.') || line.startsWith("\xEF\xBC\x8E") || line.startsWith("\x81\x44");
}

bool TFormatRecognizer::IsIndentedList(QByteArrayView head) {
    QByteArrayList lines = LinesOf(head);
    // The last line may have been cut off by the head's end.
    if (head.size() == kHeadBytes) lines.removeLast();
    lines.removeIf([](const QByteArray& line) { return IsBlank(line); });
    if (lines.size() < 2 || lines.first().startsWith('\t') || lines.first().startsWith(' '))
        return false;
    bool tabs = false;
    for (const QByteArray& line : lines) {
        if (line.size() > kLongestLabelLine) return false;
        tabs = tabs || line.startsWith('\t');
    }
    return tabs;
}
