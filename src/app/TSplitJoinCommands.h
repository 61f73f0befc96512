#pragma once

class QPlainTextEdit;
class TDocumentSession;
class TErrorBox;
class TItemTextBinding;
class TMessageBoxes;
class TOutlineView;

// Splitting the current item at the editor's caret and joining the selected items into
// the first. Both are one change of the outline's history, texts included: a changed
// text moves to a new text file, and its former file, which keeps the text as it was,
// comes back with the change taken back.
class TSplitJoinCommands {
  public:
    TSplitJoinCommands(TDocumentSession& session, TItemTextBinding& texts, TOutlineView* tree,
                       QPlainTextEdit* editor, TMessageBoxes& boxes, TErrorBox& errors);

    // The text after the caret becomes a new item right after the current item's subtree,
    // labelled from its first line that is not blank as a pasted text labels an item.
    // Nothing happens with the caret at the end of the text.
    void SplitItem();
    // The texts of the selected items (blocks, see TItemSelection) one after another with
    // a line break between, in the first; the children of the others follow the first's
    // own children and the others go. Asks first; needs two selected items at least.
    void JoinItems();

  private:
    TDocumentSession& session_;
    TItemTextBinding& texts_;
    TOutlineView* tree_;
    QPlainTextEdit* editor_;
    TMessageBoxes& boxes_;
    TErrorBox& errors_;
};
