#pragma once

#include <QRect>
#include <optional>

// Keeps a frameless window where the user can reach it.
class TWindowPlacement {
  public:
    // A place that overlaps some screen stays as it is; one that lies off every
    // screen moves to the top-left corner of the primary screen's work area.
    static QRect Reachable(const QRect& place);
    // A window of size beside owner (right of it), or at stored when the user gave it a
    // place before, reachable and whole on area (the owner's screen's work area).
    static QRect Beside(const QRect& owner, const QSize& size, const std::optional<QRect>& stored,
                        const QRect& area);
};
