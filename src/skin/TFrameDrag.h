#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "skin/TSkinLayout.h"

// Moving or resizing the frameless window by following the pointer, for platforms
// whose window manager does not take over (no window manager at all, some
// compositors).
class TFrameDrag {
  public:
    // element: the caption moves, a resize zone sizes from its edge.
    TFrameDrag(SkinCode element, const QRect& startGeometry, const QPoint& startPointer,
               const QSize& minimum);

    // The window's place and size with the pointer at `pointer` (screen coordinates).
    QRect GeometryAt(const QPoint& pointer) const;

  private:
    SkinCode element_;
    QRect start_;
    QPoint startPointer_;
    QSize minimum_;
};
