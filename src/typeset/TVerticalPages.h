#pragma once

#include <QString>
#include <vector>

#include "layout/TLayoutOptions.h"
#include "typeset/TVerticalText.h"

// Items' texts laid out vertically one after another, each from a new page: the pages of a
// preview, a print or a PDF. An item without characters takes no page, as in the counts.
class TVerticalPages {
  public:
    struct TItem {
        QString label;
        TVerticalText text;
        int firstPage = 0;
    };
    // One page: its item and the page of that item's text.
    struct TPage {
        int item = -1;
        int pageOfItem = 0;
    };

    explicit TVerticalPages(TLayoutOptions options = {});

    const TLayoutOptions& Options() const { return options_; }
    void Clear();
    // Appends an item and lays its text out.
    void Add(const QString& label, const QString& text);
    // Lays item's text out anew (after an edit).
    void Replace(int item, const QString& text);

    int Count() const { return pages_; }
    int Items() const { return static_cast<int>(items_.size()); }
    const TItem& Item(int item) const { return items_[static_cast<std::size_t>(item)]; }
    TPage Page(int page) const;
    // The page showing place of item (the item's first page for an item without pages).
    int PageOf(int item, TCellPlace place) const;
    // The first grid line of page (counted in its item's text).
    int FirstLineOf(int page) const;

  private:
    void Number();

    TLayoutOptions options_;
    std::vector<TItem> items_;
    int pages_ = 0;
};
