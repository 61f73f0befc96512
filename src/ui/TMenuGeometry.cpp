#include "ui/TMenuGeometry.h"

#include <algorithm>

#include "ui/TMenuTables.h"

namespace {

struct Place {
    int left;
    int width;
    int height;
};

// Menus 1 to 5; the file menu's height is worked out from its recent files.
constexpr Place kPlaces[] = {
    {30, 120, 0}, {84, 140, 240}, {149, 120, 60}, {218, 200, 260}, {310, 200, 120}};

bool Known(int menuNumber) {
    return menuNumber >= TMenuTables::kFile && menuNumber <= TMenuTables::kHelp;
}

// The start of a span of length along one axis within first..last: from after on,
// else ending just before before, else as far inside as it goes.
int SpanStart(int before, int after, int length, int first, int last) {
    int start = after;
    if (start + length - 1 > last) start = before - length;
    return std::max(first, std::min(start, last - length + 1));
}

}  // namespace

int TMenuGeometry::LeftOffset(int menuNumber) {
    return Known(menuNumber) ? kPlaces[menuNumber - 1].left : 0;
}

QSize TMenuGeometry::SizeOf(int menuNumber, int recentFileCount) {
    if (!Known(menuNumber)) return {};
    const Place& place = kPlaces[menuNumber - 1];
    if (menuNumber != TMenuTables::kFile) return {place.width, place.height};
    return {place.width, recentFileCount == 0 ? 160 : 180 + 20 * recentFileCount};
}

QPoint TMenuGeometry::PlaceOf(int menuNumber, const QPoint& mainTopLeft) {
    return mainTopLeft + QPoint(LeftOffset(menuNumber), kTop);
}

QPoint TMenuGeometry::PlaceAt(const QRect& anchor, const QSize& size, const QRect& screen) {
    return {
        SpanStart(anchor.left(), anchor.left(), size.width(), screen.left(), screen.right()),
        SpanStart(anchor.top(), anchor.bottom() + 1, size.height(), screen.top(), screen.bottom())};
}

QRect TMenuGeometry::BandOf(const TMenuTable& table, const TMenuEntry& entry) {
    return QRect(kMargin, entry.Y, table.Size.width() - 2 * kMargin, kBand);
}

const TMenuEntry* TMenuGeometry::EntryAt(const TMenuTable& table, const QPoint& pointer) {
    for (const TMenuEntry& entry : table.Entries)
        if (BandOf(table, entry).contains(pointer)) return &entry;
    return nullptr;
}
