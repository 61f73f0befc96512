#pragma once

#include <QString>
#include <QtGlobal>

// The counts of one text laid out on a grid. Adding the counts of a text that follows
// after a line break gives the counts of both texts together.
struct TTextCounts {
    qint64 characters = 0;  // grapheme clusters, line breaks excluded
    qint64 nonBlank = 0;    // the same without spaces, ideographic spaces and tabs
    qint64 lines = 0;       // lines of the text: an empty text has none
    qint64 gridLines = 0;   // grid lines taken, empty paragraphs included
    // Grid lines up to the one holding the last character: empty lines at the end of the
    // text reach no further page.
    qint64 usedGridLines = 0;

    TTextCounts& operator+=(const TTextCounts& next);
    friend bool operator==(const TTextCounts&, const TTextCounts&) = default;

    // Pages of rows grid lines that the last character reaches.
    qint64 Pages(int rows) const;
    // "何枚何行": full pages and the grid lines on the page after them ("2枚5行").
    QString SheetsAndLines(int rows) const;
    static QString SheetsAndLines(qint64 sheets, qint64 lines);
};
