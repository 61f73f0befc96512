#include "app/TWindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>

QRect TWindowPlacement::Reachable(const QRect& place) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (const QScreen* screen : screens)
        if (screen->geometry().intersects(place)) return place;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return place;
    QRect moved = place;
    moved.moveTopLeft(primary->availableGeometry().topLeft());
    return moved;
}
