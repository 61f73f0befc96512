#include "layout/TTateChuYoko.h"

namespace {

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool IsMark(QChar c) { return c == u'!' || c == u'?' || c == u'！' || c == u'？'; }

bool IsQuestion(QChar c) { return c == u'?' || c == u'？'; }

// "!?", "!!" and "?!": two marks, not both question marks, of one width.
bool IsMarkPair(QChar first, QChar second) {
    if (!IsMark(first) || !IsMark(second)) return false;
    if (IsQuestion(first) && IsQuestion(second)) return false;
    return (first.unicode() < 0x80) == (second.unicode() < 0x80);
}

}  // namespace

qsizetype TTateChuYoko::RunAt(QStringView paragraph, qsizetype at) {
    const qsizetype size = paragraph.size();
    const QChar c = paragraph[at];
    if (IsDigit(c)) {
        if (at > 0 && IsDigit(paragraph[at - 1])) return 0;
        qsizetype end = at + 1;
        while (end < size && IsDigit(paragraph[end])) ++end;
        return end - at <= 2 ? end - at : 0;
    }
    if (at + 1 < size && IsMarkPair(c, paragraph[at + 1])) {
        // In a longer row of marks ("!!!") only the first two share a cell.
        return 2;
    }
    return 0;
}

void TTateChuYoko::Join(QStringView paragraph, std::vector<TGraphemeUnit>& units) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        TGraphemeUnit unit = units[i];
        // A second digit or mark joins only when the text between them holds no notation.
        if (unit.length == 1 && i + 1 < units.size() && units[i + 1].length == 1 &&
            units[i + 1].offset == unit.offset + 1 && RunAt(paragraph, unit.offset) == 2) {
            unit.length = 2;
            unit.characters = 2;
            ++i;
        }
        units[kept++] = unit;
    }
    units.resize(kept);
}
