#pragma once

#include <QByteArray>
#include <optional>

#include "interchange/TOutlineEntry.h"

// Hierarchical text (see THierarchicalText) read without decoding the texts: in a
// Shift-JIS file whose lines end with CR LF, a text stands just as its item file holds
// it, and the store takes those bytes as they stand (it decodes texts in another form).
// Only the labels are decoded here.
//
// Reads only what THierarchicalText::Read reads the same way: a file it would read as
// Shift-JIS, without control characters other than TAB, LF, VT, FF and CR, every CR before
// an LF, and few bytes that are no character. For any other file there is nothing, and
// THierarchicalText::Read reads it (or says why it cannot). A text with an escaped line is
// decoded and unescaped, as THierarchicalText::Read does it.
class THierarchicalBytes {
  public:
    static std::optional<TOutlineEntries> Read(const QByteArray& file);
};
