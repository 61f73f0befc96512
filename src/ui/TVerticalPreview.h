#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "typeset/TVerticalPages.h"

// What the "縦書きプレビュー" window shows: the item the editor holds (alone, or with its
// descendants after it), laid out vertically, the page shown, and the editor's caret on
// it. The window turns pages and asks where a click puts the caret; the program tells it
// of every edit and caret move.
class TVerticalPreview {
  public:
    struct TItem {
        QString label;
        QString text;
    };

    // Lays items out anew; current is the editor's item among them (the first shown).
    void Show(const std::vector<TItem>& items, int current, const TLayoutOptions& options);
    // The editor's text changed: its item is laid out again, the caret's page shown.
    void EditorChanged(const QString& text, qsizetype caret);
    // The caret moved: the page holding it is shown.
    void CaretMoved(qsizetype caret);

    const TVerticalPages& Pages() const { return pages_; }
    int Page() const { return page_; }
    // Turns by pages (negative: back), to the first or to the last page.
    void Turn(int by);
    void First() { page_ = 0; }
    void Last();

    // The caret's cell, as a place in the shown page's item, when that item is the
    // editor's.
    std::optional<TCellPlace> Marked() const;
    // Where a click on cell of line of the shown page puts the editor's caret: nothing
    // when the page is of another item than the editor's.
    std::optional<qsizetype> CaretAt(int line, int cell) const;

  private:
    TVerticalPages pages_;
    int current_ = -1;
    TCellPlace caret_;
    int page_ = 0;
};
