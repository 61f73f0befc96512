#pragma once

#include <QList>

#include "interchange/TOutlineEntry.h"

class QPlainTextEdit;
class TDocumentSession;
class TItemTextBinding;
class TOutlineItem;

// Interchange entries made into items of the document, as an import and a paste make
// them: every item gets a new ItemNumber, the texts are stored first (most written
// behind, as an opened document's are), and the whole insertion is one change of the
// outline's history, so that undo takes it back and redo brings it again with its texts.
class TEntryInsertion {
  public:
    TEntryInsertion(TDocumentSession& session, TItemTextBinding& texts, QPlainTextEdit* editor);

    // Inserts each list (well-formed, not empty) below parent from row on, one list after
    // the other. Returns the items made for the level 1 entries, in order. The selection
    // stays as it was; the editor keeps its item. Throws AppError before the outline
    // changes when a text that must be written at once cannot be.
    QList<TOutlineItem*> Insert(const QList<TOutlineEntries>& lists, TOutlineItem* parent, int row);

  private:
    // New numbers for every entry, their texts stored.
    QList<std::vector<int>> StoreTexts(const QList<TOutlineEntries>& lists);

    TDocumentSession& session_;
    TItemTextBinding& texts_;
    QPlainTextEdit* editor_;
};
