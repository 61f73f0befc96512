#pragma once

#include <QByteArray>
#include <QString>

#include "interchange/TExport.h"
#include "interchange/TExportStream.h"
#include "interchange/TOutlineEntry.h"

// The outline as one HTML page to read or print: a table of contents that links to every
// item, then each item as a heading (h1 to h6; deeper items are h6 of class "level-N")
// followed by its text, line breaks kept. UTF-8, and closed like XML so that XML tools
// read it too.
class THtmlOutline {
  public:
    // entries: well-formed (see TOutlineEntry.h). title: the page's title, the document's
    // name. stream: see TExportStream.
    static TExport Write(const TOutlineEntries& entries, const QString& title,
                         const TExportStream& stream = {});

  private:
    static QByteArray Contents(const TOutlineEntries& entries, int* replaced);
    static QByteArray Items(const TOutlineEntries& entries, qsizetype begin, qsizetype end,
                            int* replaced);
};
