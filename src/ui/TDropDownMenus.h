#pragma once

#include <QPointer>

#include "skin/TSkinLayout.h"

class TMenuHost;
class TSystemMenuForm;

// The drop-down menus of one window's menu band. Only one menu is ever open: opening
// another one closes and releases the previous window.
class TDropDownMenus {
  public:
    explicit TDropDownMenus(TMenuHost& host) : host_(host) {}
    TDropDownMenus(const TDropDownMenus&) = delete;
    TDropDownMenus& operator=(const TDropDownMenus&) = delete;

    // Opens menu menuNumber (1 file .. 5 help) in a new window, which becomes the
    // current one.
    TSystemMenuForm* Open(int menuNumber);
    // The current menu window; null before the first opening.
    TSystemMenuForm* Current() const;
    // Whether the current menu window is shown.
    bool MenuVisible() const;

    // The menu follows the pointer along the menu band: when a menu is shown and the
    // pointer came onto a menu title (MenuFile to MenuHelp) other than previousElement,
    // the shown menu closes and the title's menu opens. Returns whether a menu was
    // opened.
    bool FollowPointer(SkinCode previousElement, SkinCode element);

  private:
    TMenuHost& host_;
    QPointer<TSystemMenuForm> current_;
};
