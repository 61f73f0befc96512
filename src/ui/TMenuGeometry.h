#pragma once

#include <QPoint>
#include <QRect>
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
    // The context menu's width, as wide as the edit menu: its longest caption fits.
    static constexpr int kContextWidth = 140;

    // Offset of the menu's left edge from the main window's left edge; 0 for an
    // unknown menu.
    static int LeftOffset(int menuNumber);
    // The window size; the file menu grows with its recent files.
    static QSize SizeOf(int menuNumber, int recentFileCount);
    // The menu window's top-left corner for a main window whose client area starts
    // at mainTopLeft.
    static QPoint PlaceOf(int menuNumber, const QPoint& mainTopLeft);
    // The top-left corner of a menu of size that hangs from anchor, a rectangle of no
    // width (a point of the pointer: no height either): below anchor from its left edge
    // on; where that would leave screen, above anchor or to the left of it, so that
    // anchor stays uncovered; inside screen where the room on both sides is too small.
    static QPoint PlaceAt(const QRect& anchor, const QSize& size, const QRect& screen);

    // The hover band of an entry: where the pointer counts as being on it.
    static QRect BandOf(const TMenuTable& table, const TMenuEntry& entry);
    // The entry whose band y..y+14 holds the pointer, outside the margins; nullptr
    // when there is none.
    static const TMenuEntry* EntryAt(const TMenuTable& table, const QPoint& pointer);
};
