#include "layout/TCountSum.h"

void TCountSum::Add(const TTextCounts& item) {
    characters_ += item.characters;
    nonBlank_ += item.nonBlank;
    lines_ += item.lines;
    if (item.usedGridLines == 0) return;
    pages_ += item.Pages(rows_);
    lastUsedGridLines_ = item.usedGridLines;
}

TCountSum& TCountSum::operator+=(const TCountSum& later) {
    characters_ += later.characters_;
    nonBlank_ += later.nonBlank_;
    lines_ += later.lines_;
    pages_ += later.pages_;
    if (later.lastUsedGridLines_ > 0) lastUsedGridLines_ = later.lastUsedGridLines_;
    return *this;
}

QString TCountSum::SheetsAndLines() const {
    const qint64 lastPages = (lastUsedGridLines_ + rows_ - 1) / rows_;
    return TTextCounts::SheetsAndLines(pages_ - lastPages + lastUsedGridLines_ / rows_,
                                       lastUsedGridLines_ % rows_);
}
