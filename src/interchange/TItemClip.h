#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <optional>
#include <vector>

#include "interchange/TImportFormat.h"
#include "interchange/TOutlineEntryList.h"

class TOutlineItem;

// Subtrees of the outline on their way through the clipboard: every item's level, label,
// text and expanded state, in depth-first order. They go out in three forms: the
// program's own, which a paste reads back exactly (in this copy of the program or in
// another); hierarchical text, which a text editor receives; and OPML, which other
// outliners read.
//
// The own form is binary and versioned: the header, then each item's level, expanded
// flag, label and text as counted UTF-16 (so any character survives, however the text
// was made). Reading checks every count against the bytes there are: a damaged or cut
// off form is refused with a message, never read past its end.
class TItemClip {
  public:
    static constexpr char kItemsType[] = "application/x-hedgerow-items";
    static constexpr char kTextType[] = "text/plain";
    static constexpr char kOpmlType[] = "text/x-opml";

    TOutlineEntries Entries;  // well-formed (see TOutlineEntry.h)
    QList<bool> Expanded;     // one for each entry

    // The blocks (see TItemSelection) with their descendants; each block at level 1.
    static TItemClip FromBlocks(const std::vector<TOutlineItem*>& blocks,
                                const TOutlineEntryList::TextOf& textOf);

    QByteArray Encode() const;
    // Hierarchical text in UTF-8, lines ending with LF as this system's texts do.
    QByteArray PlainText() const;
    QByteArray Opml() const;

    // Reads the own form. Throws AppError when the bytes are not a complete one.
    static TItemClip Decode(QByteArrayView bytes);

    // The format of a text (UTF-8) that holds an outline: hierarchical text or OPML;
    // nothing for any other text.
    static std::optional<TImportFormat> OutlineFormatOf(QByteArrayView text);

  private:
    static void AppendString(QByteArray& out, const QString& string);
};
