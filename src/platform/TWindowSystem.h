#pragma once

#include <QString>

// What the windowing system lets the program do with its top-level windows. On X11
// a client places its windows where it likes and knows where they are. A Wayland
// client does neither: the compositor places every top-level window, a client
// learns no global positions, and windows that must hang at a place (drop-down
// menus) are popups placed relative to their parent window.
class TWindowSystem {
  public:
    // A platform by its Qt name; the running application's when the name is empty.
    explicit TWindowSystem(QString platformName = QString());

    // Whether top-level windows can be placed by the program and their position read.
    bool PlacesOwnWindows() const;

  private:
    QString platformName_;
};
