#include "app/TWindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

QRect TWindowPlacement::Beside(const QRect& owner, const QSize& size,
                               const std::optional<QRect>& stored, const QRect& area) {
    QRect place = Reachable(
        stored.value_or(QRect(owner.right() + 1, owner.top(), size.width(), size.height())));
    if (area.isEmpty()) return place;
    place.moveRight(std::min(place.right(), area.right()));
    place.moveBottom(std::min(place.bottom(), area.bottom()));
    place.moveTopLeft({std::max(place.left(), area.left()), std::max(place.top(), area.top())});
    return place;
}

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
