#pragma once

#include <QByteArrayView>
#include <QList>
#include <vector>

#include "interchange/TExport.h"
#include "interchange/TExportStream.h"
#include "interchange/TOutlineEntry.h"

// Markdown (CommonMark), UTF-8 with LF line ends: every item is an ATX heading of its
// level ("#" to "######") with its label, then its text between two blank lines (an empty
// text has none). See TMarkdownEscapes for how labels and text lines are written.
//
// Markdown has no heading below level 6: an item deeper than that is a level 6 heading
// behind an HTML comment line that tells its level,
//
//   <!-- level 9 -->
//   ###### label
//
// which a CommonMark reader does not show, and our reader takes as the level.
class TMarkdownOutline {
  public:
    static TExport Write(const TOutlineEntries& entries, const TExportStream& stream = {});

    // Every heading of the document's top level (ATX or setext; none inside quotes or
    // lists) is an item, labelled with the heading's inline text; the text is the source
    // lines up to the next heading as they are written, less one blank line at each end
    // and the escapes TMarkdownEscapes adds. Text before the first heading becomes an item
    // of its own, labelled with its first line that is not blank. UTF-8, or Shift-JIS.
    static TOutlineEntries Read(QByteArrayView bytes);
    // Read, with the texts as the bytes of their item files where the file holds them
    // so (see TMarkdownBytes).
    static TOutlineEntries ReadForStore(const QByteArray& bytes);

    // The text of the lines [begin, end) after a heading, as Read takes it.
    using TLines = std::vector<QStringView>;
    static QString Text(const TLines& lines, qsizetype begin, qsizetype end);
};
