#pragma once

#include <QPointer>
#include <QRect>

#include "skin/TSkinLayout.h"

class TMenuHost;
class TSystemMenuForm;

// The drop-down menus of one window's menu band and its outline's context menu. Only
// one menu is ever open: opening another one closes and releases the previous window.
class TDropDownMenus {
  public:
    explicit TDropDownMenus(TMenuHost& host) : host_(host) {}
    TDropDownMenus(const TDropDownMenus&) = delete;
    TDropDownMenus& operator=(const TDropDownMenus&) = delete;

    // Opens menu menuNumber (1 file .. 5 help) in a new window, which becomes the
    // current one.
    TSystemMenuForm* Open(int menuNumber);
    // Opens the context menu hanging from anchor (global; see TMenuGeometry::PlaceAt)
    // in a new window, which becomes the current one.
    TSystemMenuForm* OpenContext(const QRect& anchor);
    // The current menu window; null before the first opening.
    TSystemMenuForm* Current() const;
    // Whether the current menu window is shown.
    bool MenuVisible() const;
    // Whether a menu of the menu band is shown; the context menu is none.
    bool BandMenuVisible() const;

    // The menu follows the pointer along the menu band: when a band menu is shown and the
    // pointer came onto a menu title (MenuFile to MenuHelp) other than previousElement,
    // the shown menu closes and the title's menu opens. Returns whether a menu was
    // opened.
    bool FollowPointer(SkinCode previousElement, SkinCode element);

  private:
    // Closes and releases the current window and makes a new one current.
    TSystemMenuForm* Replace();

    TMenuHost& host_;
    QPointer<TSystemMenuForm> current_;
};
