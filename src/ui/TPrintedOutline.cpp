#include "ui/TPrintedOutline.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "ui/TPdfFile.h"

TPrintedOutline::TPrintedOutline(const TOutlineEntries& entries, const QFont& font)
    : entries_(entries), font_(font) {}

TPrintedOutline::TPrintedOutline(const TOutlinePages& laidOut)
    : entries_(laidOut.Entries()), font_(laidOut.Font()), laidOut_(laidOut) {}

void TPrintedOutline::SetRange(int first, int last) {
    first_ = first;
    last_ = last;
}

TOutlinePages TPrintedOutline::PagesFor(const QPagedPaintDevice& device) const {
    TOutlinePages pages(entries_, font_, device.pageLayout());
    if (laidOut_ && laidOut_->PageSize() == pages.PageSize()) return *laidOut_;
    return pages;
}

bool TPrintedOutline::Paint(QPagedPaintDevice& device,
                            const std::function<bool(int, int)>& progress) {
    QPainter painter(&device);
    if (!painter.isActive()) return false;
    TOutlinePages pages = PagesFor(device);
    // Every page is laid out before the first is painted, since each footer tells the
    // count; progress is told (with no total yet) between pages so that it can stop it.
    while (pages.LayOutNext())
        if (progress && !progress(0, 0)) return false;
    pageCount_ = pages.KnownPages();
    const int first = std::clamp(first_, 1, pageCount_);
    const int last = last_ <= 0 ? pageCount_ : std::clamp(last_, first, pageCount_);
    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage()) return false;
        painter.save();
        painter.scale(device.logicalDpiX() / TOutlinePages::kLayoutDpi,
                      device.logicalDpiY() / TOutlinePages::kLayoutDpi);
        pages.Paint(painter, page - 1, pageCount_);
        painter.restore();
        if (progress && !progress(page - first + 1, last - first + 1)) return false;
    }
    return true;
}

bool TPrintedOutline::WritePdf(const QString& path, const TOutlineEntries& entries,
                               const QFont& font, const std::function<bool(int, int)>& progress) {
    return TPdfFile::Write(path, [&](QPdfWriter& writer) {
        SetMargins(writer);
        bool stopped = false;
        const bool complete =
            TPrintedOutline(entries, font).Paint(writer, [&](int done, int total) {
                stopped = progress && !progress(done, total);
                return !stopped;
            });
        if (stopped) return TPdfFile::TPainted::Stopped;
        return complete ? TPdfFile::TPainted::Complete : TPdfFile::TPainted::Failed;
    });
}

void TPrintedOutline::SetMargins(QPagedPaintDevice& device) {
    device.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
}
