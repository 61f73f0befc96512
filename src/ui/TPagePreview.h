#pragma once

#include <QFont>
#include <QPageLayout>
#include <QRectF>
#include <memory>

#include "interchange/TOutlineEntry.h"
#include "ui/TOutlinePages.h"

class QPainter;
class TPageCounter;

// The printed outline looked at a page at a time: the page shown is laid out when it is
// asked for, while the pages are counted in the background.
class TPagePreview {
  public:
    // font: sized in points; layout: the printer's paper and margins.
    TPagePreview(const TOutlineEntries& entries, const QFont& font, const QPageLayout& layout);
    ~TPagePreview();

    // The page shown, 0-based.
    int Current() const { return current_; }
    // The number of pages once they are counted, 0 before.
    int Total() const { return pages_.Complete() ? pages_.KnownPages() : 0; }
    // "3 / 85", or "3 / …" while the pages are being counted.
    QString Indicator() const;

    // Shows the page (0-based) as far as the outline has pages.
    void Go(int page);
    void Next() { Go(current_ + 1); }
    void Previous() { Go(current_ - 1); }
    // While the pages are being counted: the last page counted so far.
    void Last();
    bool AtFirst() const { return current_ == 0; }
    bool AtLast() const { return Total() > 0 && current_ == Total() - 1; }

    // Takes over the pages counted so far; returns whether the counting goes on.
    bool Update();
    // Stops counting (what was counted is kept).
    void StopCounting();

    // Paints the paper of the page shown, as large as fits in area and centred in it.
    void Paint(QPainter& painter, const QRectF& area) const;

    // The pages laid out so far.
    const TOutlinePages& Pages() const { return pages_; }

  private:
    TOutlinePages pages_;
    std::unique_ptr<TPageCounter> counter_;
    int current_ = 0;
};
