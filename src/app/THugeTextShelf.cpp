#include "app/THugeTextShelf.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextDocument>

namespace {

// QTextOption has no comparison; setting an equal option still lays the text out again.
bool SameOption(const QTextOption& a, const QTextOption& b) {
    return a.alignment() == b.alignment() && a.wrapMode() == b.wrapMode() &&
           a.flags() == b.flags() && a.tabStopDistance() == b.tabStopDistance() &&
           a.tabs() == b.tabs() && a.textDirection() == b.textDirection() &&
           a.useDesignMetrics() == b.useDesignMetrics();
}

}  // namespace

THugeTextShelf::THugeTextShelf(QPlainTextEdit& editor) : editor_(editor) {}

THugeTextShelf::~THugeTextShelf() = default;

void THugeTextShelf::Shelve(int itemNumber, qsizetype size) {
    held_ = Exchange(editor_, nullptr);
    heldNumber_ = itemNumber;
    heldSize_ = size;
}

void THugeTextShelf::Unshelve(int leavingNumber, qsizetype leavingSize) {
    std::unique_ptr<QTextDocument> leaving = Exchange(editor_, std::move(held_));
    held_ = leavingNumber == -1 ? nullptr : std::move(leaving);
    heldNumber_ = leavingNumber;
    heldSize_ = leavingSize;
    editor_.setTextCursor(QTextCursor(editor_.document()));
    editor_.horizontalScrollBar()->setValue(0);
    editor_.verticalScrollBar()->setValue(0);
}

void THugeTextShelf::Clear() {
    held_.reset();
    heldNumber_ = -1;
    heldSize_ = 0;
}

std::unique_ptr<QTextDocument> THugeTextShelf::Exchange(QPlainTextEdit& editor,
                                                        std::unique_ptr<QTextDocument> next) {
    QTextDocument* current = editor.document();
    // The editor deletes a document it owns when it is given another one.
    QObject* owner = current->parent();
    current->setParent(nullptr);
    if (!next) {
        next = std::make_unique<QTextDocument>();
        next->setDocumentLayout(new QPlainTextDocumentLayout(next.get()));
    }
    next->clearUndoRedoStacks();
    next->setModified(false);
    // Settings changed while the document was aside; each change lays it out again.
    if (next->defaultFont() != current->defaultFont()) next->setDefaultFont(current->defaultFont());
    if (next->documentMargin() != current->documentMargin())
        next->setDocumentMargin(current->documentMargin());
    if (!SameOption(next->defaultTextOption(), current->defaultTextOption()))
        next->setDefaultTextOption(current->defaultTextOption());
    next->setParent(owner);
    editor.setDocument(next.release());
    current->clearUndoRedoStacks();
    return std::unique_ptr<QTextDocument>(current);
}
