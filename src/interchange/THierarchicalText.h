#pragma once

#include <QByteArrayView>
#include <QStringView>

#include "interchange/TExport.h"
#include "interchange/TExportStream.h"
#include "interchange/TOutlineEntry.h"

// Hierarchical text: every item is a heading line, one "." per level followed by its
// label, then the lines of its text.
//
//   .Plan
//   first line of the plan's text
//   ..Details
//   .Notes
//
// A label or text line that begins with "." or "．", or with one or more "\" followed by
// one of them, is written with one more "\" in front; reading takes one "\" off such a
// line again. So no text line reads as a heading, a label may begin with a mark, and
// every other line ("\" alone, "¥100" as Shift-JIS writes it) stays exactly as it is.
class THierarchicalText {
  public:
    enum class Encoding { ShiftJis, Utf8 };

    // Every line, the last one included, ends with CR LF; UTF-8 has no byte order mark.
    static TExport Write(const TOutlineEntries& entries, Encoding encoding = Encoding::ShiftJis,
                         const TExportStream& stream = {});

    // Reads UTF-8 and Shift-JIS (see TImportedText), any line ends, and the full-width
    // mark "．" as well as "." (mixed too). Text before the first heading becomes an item of
    // its own, labelled with its first line that is not blank.
    static TOutlineEntries Read(QByteArrayView bytes);
    // The same, but the texts of a Shift-JIS file with CR LF line ends stay bytes where
    // they can (see THierarchicalBytes).
    static TOutlineEntries ReadForStore(const QByteArray& bytes);

    // A label or text line as it reads: one "\" less in front of an escaped mark.
    static QStringView Unescaped(QStringView line);

  private:
    static void AppendEscaped(QString& out, QStringView line);
    // The number of "." and "．" the line begins with.
    static int LevelMarks(QStringView line);
};
