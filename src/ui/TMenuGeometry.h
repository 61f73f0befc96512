#pragma once

#include <QPoint>
#include <QSize>

struct TMenuEntry;
struct TMenuTable;

// Where a drop-down menu hangs and which entry a pointer is on. All positions are in
// pixels; pointer positions are relative to the menu window.
class TMenuGeometry {
  public:
    static constexpr int kTop = 60;     // the lower edge of the menu band
    static constexpr int kMargin = 10;  // left and right margins without entries
    static constexpr int kBand = 15;    // height of an entry's hover band
    static constexpr int kCaptionX = 10;

    // Offset of the menu's left edge from the main window's left edge; 0 for an
    // unknown menu.
    static int LeftOffset(int menuNumber);
    // The window size; the file menu grows with its recent files.
    static QSize SizeOf(int menuNumber, int recentFileCount);
    // The menu window's top-left corner for a main window whose client area starts
    // at mainTopLeft.
    static QPoint PlaceOf(int menuNumber, const QPoint& mainTopLeft);

    // The entry whose band y..y+14 holds the pointer, outside the margins; nullptr
    // when there is none.
    static const TMenuEntry* EntryAt(const TMenuTable& table, const QPoint& pointer);
};
