#include "ui/TVerticalPreview.h"

#include <algorithm>

void TVerticalPreview::Show(const std::vector<TItem>& items, int current,
                            const TLayoutOptions& options) {
    pages_ = TVerticalPages(options);
    for (const TItem& item : items) pages_.Add(item.label, item.text);
    current_ = current;
    caret_ = {};
    page_ = current >= 0 ? pages_.PageOf(current, caret_) : 0;
}

void TVerticalPreview::EditorChanged(const QString& text, qsizetype caret) {
    if (current_ < 0) return;
    pages_.Replace(current_, text);
    CaretMoved(caret);
}

void TVerticalPreview::CaretMoved(qsizetype caret) {
    if (current_ < 0) return;
    caret_ = pages_.Item(current_).text.PlaceOf(caret);
    page_ = pages_.PageOf(current_, caret_);
}

void TVerticalPreview::Turn(int by) {
    page_ = std::clamp(page_ + by, 0, std::max(0, pages_.Count() - 1));
}

void TVerticalPreview::Last() { page_ = std::max(0, pages_.Count() - 1); }

std::optional<TCellPlace> TVerticalPreview::Marked() const {
    if (current_ < 0 || pages_.Page(page_).item != current_) return std::nullopt;
    return caret_;
}

std::optional<qsizetype> TVerticalPreview::CaretAt(int line, int cell) const {
    const TVerticalPages::TPage page = pages_.Page(page_);
    if (page.item != current_ || current_ < 0) return std::nullopt;
    const TCellPlace place{pages_.FirstLineOf(page_) + line, cell};
    return pages_.Item(current_).text.OffsetAt(place);
}
