#pragma once

#include "interchange/TOutlineEntry.h"

// Gathers an importer's entries into a well-formed list: the first entry goes to level 1,
// and an entry more than one level deeper than the one before goes just one level deeper
// (other programs skip heading levels, ours cannot have an item without its parent).
class TEntryCollector {
  public:
    // line: where the entry starts in the file (1-based), for the message that refuses a
    // level beyond TDocumentReader::kMaxDepth.
    void Add(int level, const QString& label, const QString& text, qint64 line);
    // Adds a line to the text of the last entry.
    void AppendLine(QStringView line);
    // Makes text the whole text of the last entry.
    void SetLastText(QString text);
    // Gives the last entry its text as the bytes of its item file.
    void SetLastFileText(TItemFileBytes bytes);
    bool IsEmpty() const { return entries_.isEmpty(); }
    int LastLevel() const { return entries_.isEmpty() ? 0 : entries_.constLast().level; }
    // The entries; throws AppError when there are none.
    TOutlineEntries Take();

  private:
    TOutlineEntries entries_;
    // Whether the last entry's text has a line yet: an empty text and a text of one
    // empty line are told apart by this.
    bool lastHasLines_ = false;
};
