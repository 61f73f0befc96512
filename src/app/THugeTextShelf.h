#pragma once

#include <QtGlobal>
#include <memory>

class QPlainTextEdit;
class QTextDocument;

// Laying a huge text out in the editor takes seconds; the document the editor laid it
// out in is kept here when the user selects another item, and goes back into the editor
// when the user returns, as it was stored. One text is kept, the last one left.
class THugeTextShelf {
  public:
    explicit THugeTextShelf(QPlainTextEdit& editor);
    ~THugeTextShelf();

    bool Holds(int itemNumber) const { return held_ && heldNumber_ == itemNumber; }
    // The number of characters of the text held.
    qsizetype HeldSize() const { return heldSize_; }

    // Takes the editor's document aside as the text of the item (size characters), in
    // place of the one held, and gives the editor an empty document.
    void Shelve(int itemNumber, qsizetype size);
    // Gives the editor the document held, with the caret at its start; the editor's
    // document is shelved as leavingNumber's text of leavingSize characters, or deleted
    // when leavingNumber is -1.
    void Unshelve(int leavingNumber, qsizetype leavingSize);
    // Forgets the text held (the outline it belongs to has gone).
    void Clear();

    // Takes the editor's document out of it, giving it next (an empty document when
    // next is null) with the editor's font, tab stops and margin, no undo and unmodified.
    static std::unique_ptr<QTextDocument> Exchange(QPlainTextEdit& editor,
                                                   std::unique_ptr<QTextDocument> next);

  private:
    QPlainTextEdit& editor_;
    std::unique_ptr<QTextDocument> held_;
    int heldNumber_ = -1;
    qsizetype heldSize_ = 0;
};
