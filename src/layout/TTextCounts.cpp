#include "layout/TTextCounts.h"

TTextCounts& TTextCounts::operator+=(const TTextCounts& next) {
    if (next.usedGridLines > 0) usedGridLines = gridLines + next.usedGridLines;
    characters += next.characters;
    nonBlank += next.nonBlank;
    lines += next.lines;
    gridLines += next.gridLines;
    return *this;
}

qint64 TTextCounts::Pages(int rows) const { return (usedGridLines + rows - 1) / rows; }

QString TTextCounts::SheetsAndLines(int rows) const {
    return SheetsAndLines(usedGridLines / rows, usedGridLines % rows);
}

QString TTextCounts::SheetsAndLines(qint64 sheets, qint64 lines) {
    return QStringLiteral("%1枚%2行").arg(sheets).arg(lines);
}
