#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/THugeTextShelf.h"
#include "app/TTextPreview.h"

class QInputMethodEvent;
class QPlainTextEdit;
class TDocumentSession;
class TErrorBox;
class TOutlineItem;
class TOutlineView;

// The editor holds the text of the selected item, every other item's text lives in its
// item text file: the selection change stores the text of the item that loses the
// selection and shows the text of the one that gains it. Edits of the text and of
// labels mark the document changed; selection changes never do.
class TItemTextBinding {
  public:
    TItemTextBinding(TDocumentSession& session, TOutlineView* tree, QPlainTextEdit* editor,
                     TErrorBox& errors);
    ~TItemTextBinding();

    // Called after every selection change the binding handled.
    std::function<void()> SelectionChanged;

    // Writes the editor's text to the item's file; a text the user has not changed
    // since it was shown leaves the file as it is. Throws AppError.
    void StoreEditorText(const TOutlineItem* item);
    // Loads the item's text into the editor (empty without a file); a huge text shows
    // its beginning while the rest is laid in (see TTextPreview). Throws AppError.
    void ShowItemText(const TOutlineItem* item);
    // Waits until the editor holds the whole of a huge text shown last.
    void FinishShowing() const;
    // Whether the editor holds the whole text it shows (no preview of its beginning).
    bool WholeTextShown() const;
    void TreeChange(TOutlineItem* selected);
    void EditorChange();
    // An input method's event for the editor. A composition shows in the editor but is
    // no text yet, though the editor reports every step of it as a change: it is handed
    // to the editor here without marking the document changed, unless it types over a
    // selection. Returns whether the event was handled.
    bool EditorInputMethod(QInputMethodEvent* event);
    // A label edit confirmed in the outline: the former label can be brought back.
    void TreeEdited(TOutlineItem* item, const QString& formerLabel);

    TOutlineItem* SelectedItem() const;
    // The selected items as blocks (see TItemSelection), in outline order; the current
    // item alone when no row is selected besides it.
    std::vector<TOutlineItem*> SelectedBlocks() const;
    // Selects the items, current as the current item (the editor shows its text); the
    // ancestors of each expand.
    void SelectItems(const std::vector<TOutlineItem*>& items, TOutlineItem* current);
    // Shows an outline that has just replaced the model's (selection changes are off
    // meanwhile): the expanded items open, the editor takes the text of current and
    // current is selected. Selection changes are on again afterwards. Throws AppError
    // when current's text cannot be read; nothing is selected then.
    void ShowNewOutline(const QList<TOutlineItem*>& expanded, TOutlineItem* current);
    // Selects the item (its ancestors expand), which runs the selection change.
    void SelectItem(TOutlineItem* item);
    // Selects item without a selection change: the editor and CurrentItemIndex stay.
    void RestoreSelection(TOutlineItem* item);
    void SetExpanded(TOutlineItem* item, bool expanded);

    // The editor's text, "\n" between lines.
    QString EditorText() const;
    // The text of item, which the editor shows, when the user has changed it since it
    // was shown or stored; nothing while its file (or, before it has one, the empty
    // text) holds it: an unchanged huge text is never taken out of the editor's layout.
    std::optional<QString> TextNotInFile(const TOutlineItem* item) const;
    void SetEditorText(const QString& text);
    // Stores the editor's text and shows it again from its file, laid out anew (after
    // the window was maximised again); the changed state stays as it was.
    void ShowStoredTextAgain();
    // What the editor shows while the outline has no item.
    void ShowNoItemNotice();

    // Texts longer than this (in characters) are not kept beside the editor's copy.
    static constexpr qsizetype kKeptTextLimit = 4 << 20;

  private:
    // Expands the item's collapsed ancestors.
    void RevealItem(TOutlineItem* item);
    void RememberShown(int itemNumber, QString text);
    // Whether text is the one last loaded or stored.
    bool SameAsShown(const QString& text) const;
    void ReplaceEditorText(const QString& text);
    // The number of the item whose huge text the editor shows as its file holds it, when
    // coming's text is to be shown instead: that text goes on the shelf. -1 otherwise.
    int HugeTextLeftFor(const TOutlineItem* coming) const;
    void WrapFor(bool longLines);
    void ForgetShownTexts();

    TDocumentSession& session_;
    TOutlineView* tree_;
    QPlainTextEdit* editor_;
    TErrorBox& errors_;
    // The text last loaded from or stored into an item text file, and that item's number.
    // A huge text is not kept (it would double what the editor holds): its file tells.
    int shownItemNumber_ = -1;
    QString shownText_;
    bool shownTextKept_ = true;
    qsizetype shownTextSize_ = 0;
    bool shownLongLines_ = false;  // a line longer than TTextPreview::kLongLine
    bool composing_ = false;       // handing an input method's composition to the editor
    THugeTextShelf shelf_;
    std::unique_ptr<TTextPreview> preview_;
};
