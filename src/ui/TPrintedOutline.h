#pragma once

#include <QFont>
#include <functional>
#include <optional>

#include "interchange/TOutlineEntry.h"
#include "ui/TOutlinePages.h"

class QPagedPaintDevice;

// The outline printed or written as a PDF, page after page, as TOutlinePages sets it.
//
// Needs no window: it can be laid out and painted in a thread of its own.
class TPrintedOutline {
  public:
    // font: sized in points.
    TPrintedOutline(const TOutlineEntries& entries, const QFont& font);
    // The outline with the pages already laid out for a page layout (as a preview lays
    // them out): a device with pages of that size takes them over.
    explicit TPrintedOutline(const TOutlinePages& laidOut);

    // Paints only the pages first to last (1-based; last 0: to the end). The footers
    // still count every page.
    void SetRange(int first, int last);

    // Lays the outline out for the device's pages and paints them one after the other.
    // progress(done, total) is told after each page, and with total 0 while the pages are
    // laid out; it stops the painting by returning false. Returns whether every page was
    // painted.
    bool Paint(QPagedPaintDevice& device, const std::function<bool(int, int)>& progress = {});

    // Writes the outline as a PDF file at path, with the default margins; progress as for
    // Paint. Returns false when progress stopped it; throws AppError when the file cannot
    // be written. The file takes its name only when every page is written: a stopped or
    // failed PDF leaves nothing behind.
    static bool WritePdf(const QString& path, const TOutlineEntries& entries, const QFont& font,
                         const std::function<bool(int, int)>& progress = {});

    // Gives the device the margins a printed page has by default.
    static void SetMargins(QPagedPaintDevice& device);

    // The number of pages the last Paint laid out.
    int PageCount() const { return pageCount_; }

  private:
    // The pages for the device's page layout, those laid out already when they fit it.
    TOutlinePages PagesFor(const QPagedPaintDevice& device) const;

    TOutlineEntries entries_;
    QFont font_;
    std::optional<TOutlinePages> laidOut_;
    int first_ = 1;
    int last_ = 0;
    int pageCount_ = 0;
};
