#pragma once

#include <QString>

#include "ui/TMenuCommand.h"

class QWidget;
class TSettingsList;

// What a drop-down menu needs from the window whose menu band it hangs from. The main
// window implements it; tests use a fake.
class TMenuHost {
  public:
    virtual ~TMenuHost() = default;

    // Runs the command of a chosen entry. Find and Replace show their modeless dialog.
    virtual void RunMenuCommand(TMenuCommand command) = 0;

    // Writes one line into the hint line; an empty text clears it.
    virtual void HintOut(const QString& text) = 0;

    // The settings the toggle marks and the recent files are read from.
    virtual const TSettingsList& MenuSettings() const = 0;

    // The window the menus hang from: they are placed relative to its client area,
    // stay in front of it and are destroyed with it.
    virtual QWidget* MenuOwnerWindow() = 0;
};
