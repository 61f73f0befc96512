#pragma once

#include <QRect>

#include "platform/TWindowSystem.h"

class QWidget;
class TSettingsList;

// The rules of the main window's states: maximising onto the work area, the place of the
// normal state kept while maximised, and the user's choice between the two kept in
// "Maximized". The frame's buttons and the start and end of the program use them.
class TWindowStates {
  public:
    TWindowStates(QWidget& window, TSettingsList& settings, TWindowSystem windows);

    QRect WorkArea() const;
    // The place of the normal state, also while maximised.
    QRect NormalPlace() const;
    void WindowMaximize();
    // The window lies as a maximised window must: exactly on the work area.
    bool LiesMaximized() const;
    // The user chose the maximised state, but the window no longer lies so.
    bool StrayedFromMaximized() const;
    // Between the maximised and the normal state, as the user chose.
    void ToggleMaximized();

    // Whether the window can place itself; where it cannot, the compositor decides
    // where the window is and what a maximised window covers.
    const TWindowSystem& Windows() const { return windows_; }

  private:
    QWidget& window_;
    TSettingsList& settings_;
    TWindowSystem windows_;
    QRect normalPlace_;  // the place of the normal state while maximised
};
