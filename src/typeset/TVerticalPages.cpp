#include "typeset/TVerticalPages.h"

#include <algorithm>

TVerticalPages::TVerticalPages(TLayoutOptions options) : options_(options) {}

void TVerticalPages::Clear() {
    items_.clear();
    pages_ = 0;
}

void TVerticalPages::Add(const QString& label, const QString& text) {
    items_.push_back({label, TVerticalText(text, options_), pages_});
    pages_ += items_.back().text.Pages();
}

void TVerticalPages::Replace(int item, const QString& text) {
    items_[static_cast<std::size_t>(item)].text.Edit(text);
    Number();
}

void TVerticalPages::Number() {
    pages_ = 0;
    for (TItem& item : items_) {
        item.firstPage = pages_;
        pages_ += item.text.Pages();
    }
}

TVerticalPages::TPage TVerticalPages::Page(int page) const {
    if (page < 0 || page >= pages_) return {};
    // The last item beginning at or before page that has pages.
    const auto after =
        std::upper_bound(items_.begin(), items_.end(), page,
                         [](int at, const TItem& item) { return at < item.firstPage; });
    auto item = after - 1;
    while (item->text.Pages() == 0) --item;
    return {static_cast<int>(item - items_.begin()), page - item->firstPage};
}

int TVerticalPages::PageOf(int item, TCellPlace place) const {
    const TItem& at = Item(item);
    const int pages = at.text.Pages();
    if (pages == 0) return std::min(at.firstPage, std::max(pages_ - 1, 0));
    return at.firstPage + std::clamp(place.line / options_.grid.rows, 0, pages - 1);
}

int TVerticalPages::FirstLineOf(int page) const {
    return Page(page).pageOfItem * options_.grid.rows;
}
