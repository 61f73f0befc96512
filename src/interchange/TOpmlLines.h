#pragma once

#include <QByteArrayView>
#include <optional>

#include "interchange/TOutlineEntry.h"

// OPML in just the shape our own export writes, read line by line on every processor with
// no XML parser between, more than twice as fast as one: the export's declaration, head and
// end, and between them one element a line, "<outline text=…>" with an optional "_note",
// its empty form or "</outline>", every value in double quotes, UTF-8 with the references
// XML knows and no control character or "<". Such a file is well-formed just when its
// elements nest, and it holds nothing else: the entries are TOpmlTree's for it. Any other
// file gives nothing here, and TOpmlTree or the stream reader reads it or names its fault.
// Notes as the bytes of their item files, when asked for, where they read back the same.
class TOpmlLines {
  public:
    static std::optional<TOutlineEntries> Read(QByteArrayView bytes, TEntryTexts texts);
};
