#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "interchange/TExport.h"
#include "interchange/TExportFormat.h"
#include "interchange/TExportStream.h"
#include "interchange/TOutlineEntry.h"

// The exporter of each format, and what the user and the command line call them.
class TExporter {
  public:
    // entries: well-formed. title: the document's name, for the formats that hold one.
    // stream: see TExportStream.
    static TExport Write(TExportFormat format, const TOutlineEntries& entries, const QString& title,
                         const TExportStream& stream = {});
    // Writes the export into the file at path through the safe replacement (see
    // TSafeFile), each piece on its way to the disk as soon as it is made. prepare: see
    // TExportStream. accept(exported) is asked when all is made, before the file takes
    // its name; false leaves everything as it was, and the result is false. Throws
    // AppError when the file cannot be written.
    static bool WriteFile(const QString& path, TExportFormat format, const TOutlineEntries& entries,
                          const QString& title,
                          const std::function<bool(const TExport& exported)>& accept,
                          const std::function<void(qsizetype begin, qsizetype end)>& prepare = {});
    // The extension a file of the format takes ("txt", "md", ...).
    static QString Extension(TExportFormat format);
    // The format a command line names: "hier", "md", "opml", "html" (and "hier" with
    // utf8 for UTF-8 hierarchical text); nothing for any other name.
    static std::optional<TExportFormat> FromName(const QString& name, bool utf8);

    // The entry at index with the entries of its descendants, lifted so that it stands
    // at level 1.
    static TOutlineEntries Subtree(const TOutlineEntries& entries, qsizetype index);
};
