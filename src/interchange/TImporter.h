#pragma once

#include <QByteArrayView>

#include "interchange/TImportFormat.h"
#include "interchange/TOutlineEntry.h"

// The importer of each format.
class TImporter {
  public:
    // A well-formed list of at least one entry; throws AppError with the message for the
    // user when the bytes cannot be imported.
    static TOutlineEntries Read(TImportFormat format, QByteArrayView bytes);
};
