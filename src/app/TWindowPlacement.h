#pragma once

#include <QRect>

// Keeps a frameless window where the user can reach it.
class TWindowPlacement {
  public:
    // A place that overlaps some screen stays as it is; one that lies off every
    // screen moves to the top-left corner of the primary screen's work area.
    static QRect Reachable(const QRect& place);
};
