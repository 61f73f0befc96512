#pragma once

#include <QFont>
#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <functional>

#include "interchange/TOutlineEntry.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// The outline set on pages for printing and PDF: each item's label as a heading that
// shows its level (numbered like "2.1.3", larger for the upper levels, indented by
// level), its text below in the editor's font with its line breaks, long lines wrapped,
// and the page number under every page. Lines are never cut at a page's edge: a line
// that does not fit goes to the next page whole.
//
// Needs no window: it can be laid out and painted in a thread of its own.
class TPrintedOutline {
  public:
    // font: sized in points.
    TPrintedOutline(const TOutlineEntries& entries, const QFont& font);

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
    void Compose();
    // Paints the blocks from block on that reach into clip (document coordinates); returns
    // the first of them, where the next page starts looking.
    QTextBlock PaintBlocks(QPainter& painter, QTextBlock block, const QRectF& clip) const;
    void PaintFooter(QPainter& painter, const QRectF& area, int page) const;

    static constexpr qreal kLayoutDpi = 96;

    TOutlineEntries entries_;
    QFont font_;
    QImage layoutDevice_{1, 1, QImage::Format_RGB32};
    QTextDocument document_;
    int pageCount_ = 0;
};
