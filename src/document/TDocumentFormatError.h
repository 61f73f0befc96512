#pragma once

#include "platform/AppError.h"

// A document file whose content the reader cannot take: the load stops and the error
// box shows Text(). Kind() and Line() let callers and tests tell the cases apart.
class TDocumentFormatError : public AppError {
  public:
    enum class Kind {
        NoTreeLine,        // the file has no line at all after the header
        NoTreeField,       // the tree line holds no "Tree=" field
        BadItemCount,      // the value of "Tree" is not a decimal number
        NoItems,           // "Tree=0": nothing to load
        MissingItemLines,  // fewer item lines than the tree line counts
        MissingLineCount,  // the tree line gives no line count for an item
        BadLineCount,      // a line count that is not a decimal number
        BadItemLine,       // an item line without its three ":"-separated fields
        BadParentIndex,    // a parent index that is not a decimal number
        ParentOutOfRange,  // a parent index that names no earlier item
        TruncatedText,     // the text block ends before the counts say
        TooDeep,           // items nested deeper than any outline could be shown
    };

    // line: 1-based line number in the file, 0 when the problem has no line of its own.
    TDocumentFormatError(Kind kind, int line, const QString& text)
        : AppError(text), kind_(kind), line_(line) {}

    Kind GetKind() const { return kind_; }
    int Line() const { return line_; }

  private:
    Kind kind_;
    int line_;
};
