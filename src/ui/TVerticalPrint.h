#pragma once

#include <QString>
#include <functional>

#include "typeset/TVerticalPainter.h"

class QPagedPaintDevice;

// Vertical pages printed or written as a PDF, one device page for each, drawn as the
// preview draws them.
//
// Needs no window: it can paint in a thread of its own.
class TVerticalPrint {
  public:
    TVerticalPrint(const TVerticalPages& pages, TVerticalStyle style);

    // Paints every page on device (landscape, as manuscript paper lies). progress(done,
    // total) is told after each page and stops the painting by returning false. Returns
    // whether every page was painted.
    bool Paint(QPagedPaintDevice& device, const std::function<bool(int, int)>& progress = {});

    // Writes the pages as a PDF file at path; progress as for Paint. Returns false when
    // progress stopped it; throws AppError when the file cannot be written.
    static bool WritePdf(const QString& path, const TVerticalPages& pages,
                         const TVerticalStyle& style,
                         const std::function<bool(int, int)>& progress = {});

    // Gives the device the page layout vertical pages are printed on.
    static void SetPageLayout(QPagedPaintDevice& device);

  private:
    const TVerticalPages& pages_;
    TVerticalStyle style_;
};
