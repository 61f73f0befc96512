#include "ui/TVerticalPrint.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "ui/TPdfFile.h"

TVerticalPrint::TVerticalPrint(const TVerticalPages& pages, TVerticalStyle style)
    : pages_(pages), style_(std::move(style)) {}

void TVerticalPrint::SetPageLayout(QPagedPaintDevice& device) {
    device.setPageOrientation(QPageLayout::Landscape);
    device.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
}

bool TVerticalPrint::Paint(QPagedPaintDevice& device,
                           const std::function<bool(int, int)>& progress) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(0, 0, device.width(), device.height());
    const TVerticalPainter drawing(pages_, style_);
    // A document without characters still gets its sheet: a PDF has at least one page.
    const int total = std::max(pages_.Count(), 1);
    for (int page = 0; page < total; ++page) {
        if (page > 0 && !device.newPage()) return false;
        drawing.Paint(painter, area, page);
        if (progress && !progress(page + 1, total)) return false;
    }
    return painter.end();
}

bool TVerticalPrint::WritePdf(const QString& path, const TVerticalPages& pages,
                              const TVerticalStyle& style,
                              const std::function<bool(int, int)>& progress) {
    return TPdfFile::Write(path, [&](QPdfWriter& writer) {
        SetPageLayout(writer);
        bool stopped = false;
        const bool complete = TVerticalPrint(pages, style).Paint(writer, [&](int done, int total) {
            stopped = progress && !progress(done, total);
            return !stopped;
        });
        if (stopped) return TPdfFile::TPainted::Stopped;
        return complete ? TPdfFile::TPainted::Complete : TPdfFile::TPainted::Failed;
    });
}
