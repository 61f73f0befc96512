#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

#include "interchange/TImportFormat.h"
#include "interchange/TOutlineEntry.h"

// The importer of each format.
class TImporter {
  public:
    // A well-formed list of at least one entry; throws AppError with the message for the
    // user when the bytes cannot be imported.
    static TOutlineEntries Read(TImportFormat format, QByteArrayView bytes);
    // Reads the file at path and imports it in format, or in the format its content and
    // name show. Throws AppError as Read does, and for a file too large or unreadable.
    static TOutlineEntries ReadFile(const QString& path, const std::optional<TImportFormat>& format,
                                    TEntryTexts texts = TEntryTexts::Decoded);
};
