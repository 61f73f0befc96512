#pragma once

#include <QList>
#include <functional>
#include <vector>

#include "app/TEntryInsertion.h"

class QMimeData;
class QPlainTextEdit;
class TDocumentSession;
class TErrorBox;
class TItemClip;
class TItemCommands;
class TItemTextBinding;
class TMessageBoxes;
class TOutlineItem;
class TOutlineView;

// Items on the system clipboard: the selected blocks with their descendants, labels,
// texts and expanded states are cut or copied (see TItemClip for the forms), and pasted
// after the selected item's subtree or as its last children, in this document, the next
// one or another running copy of the program. Each cut and each paste is one change of
// the outline's history. Nothing acts while a label is being edited.
class TItemClipboardCommands {
  public:
    TItemClipboardCommands(TDocumentSession& session, TItemTextBinding& texts, TOutlineView* tree,
                           QPlainTextEdit* editor, TItemCommands& items, TMessageBoxes& boxes,
                           TErrorBox& errors);

    // Asks for the deferred full redraw after a paste.
    std::function<void()> StartRedrawTimer;

    void Cut();
    void Copy();
    void Paste();
    void PasteAsChildren();

  private:
    // The blocks to cut or copy; none while a label is edited or the outline is empty.
    std::vector<TOutlineItem*> Blocks() const;
    void CopyBlocks(const std::vector<TOutlineItem*>& blocks);
    void PasteFrom(const QMimeData& mime, bool asChildren);
    // Text that holds an outline is pasted as items when the user says so, any other
    // text as an item of its own (AddItemText).
    void PasteText(const QString& text, bool asChildren);
    void Insert(const TItemClip& clip, bool asChildren);
    void ApplyExpanded(const QList<TOutlineItem*>& tops, const QList<bool>& expanded);

    TDocumentSession& session_;
    TItemTextBinding& texts_;
    TOutlineView* tree_;
    TItemCommands& items_;
    TMessageBoxes& boxes_;
    TErrorBox& errors_;
    TEntryInsertion insertion_;
};
