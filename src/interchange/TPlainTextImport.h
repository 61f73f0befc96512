#pragma once

#include <QByteArrayView>

#include "interchange/TOutlineEntry.h"

// A text file as one item: the whole file is its text, and its label is the file's first
// line that is not blank, as long as a label made from a first line may be (see
// TNodeName).
class TPlainTextImport {
  public:
    // Throws AppError for an empty file, as for a binary one.
    static TOutlineEntries Read(QByteArrayView bytes);
};
