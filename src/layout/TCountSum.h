#pragma once

#include <QString>

#include "layout/TTextCounts.h"

// The counts of several items' texts, each beginning on a page of its own: characters
// and lines add up, and so do the pages each item reaches. Sums add up in outline order.
class TCountSum {
  public:
    explicit TCountSum(int rows = 20) : rows_(rows) {}

    void Add(const TTextCounts& item);
    TCountSum& operator+=(const TCountSum& later);

    qint64 Characters() const { return characters_; }
    qint64 NonBlank() const { return nonBlank_; }
    qint64 Lines() const { return lines_; }
    qint64 Pages() const { return pages_; }
    int Rows() const { return rows_; }
    // "何枚何行" of the last character: the pages before the last item that has one, and
    // the full pages and lines of that item.
    QString SheetsAndLines() const;

  private:
    int rows_;
    qint64 characters_ = 0;
    qint64 nonBlank_ = 0;
    qint64 lines_ = 0;
    qint64 pages_ = 0;
    qint64 lastUsedGridLines_ = 0;  // of the last item reaching a page
};
