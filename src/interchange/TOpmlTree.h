#pragma once

#include <QByteArrayView>
#include <optional>

#include "interchange/TOutlineEntry.h"

// OPML read whole through pugixml's DOM, several times faster than a stream reader on a
// large file. pugixml checks less than XML asks for, so it only takes plain documents:
// UTF-8 without a document type, valid UTF-8, references XML knows, no control characters,
// no namespaces, nothing it reads in doubt.
class TOpmlTree {
  public:
    // The entries TOpmlOutline::Read gives for the same bytes; nothing when the document
    // is not plain, malformed, not OPML or too deep: TOpmlOutline's stream reader then
    // reads it again and names the fault. Notes as the bytes of their item files, when asked
    // for, where they read back the same.
    static std::optional<TOutlineEntries> Read(QByteArrayView bytes,
                                               TEntryTexts texts = TEntryTexts::Decoded);
};
