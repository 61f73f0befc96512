#pragma once

#include <QObject>

#include "ui/TAltTap.h"

class TMainForm;

// The keys of the main window: the keys of TCommandTable, each running its command as
// its menu entry or button does, and Alt pressed and released alone, which
// opens the file menu. Keys of the outline count only while the outline itself has the
// focus, so a label being edited keeps its keys; the editor keeps every key it uses
// for editing, since its claims on keys come before the shortcuts. An Alt combination no
// shortcut takes never types its letter into a text field.
class TKeyboardShortcuts : public QObject {
    Q_OBJECT

  public:
    explicit TKeyboardShortcuts(TMainForm& form);
    ~TKeyboardShortcuts() override;

    // F6: the keyboard goes from the outline to the editor and back.
    void SwitchFocus();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateShortcuts();
    void WatchAltTap(QEvent* event);
    bool InMainWindow(QObject* watched) const;

    TMainForm& form_;
    TAltTap altTap_;
};
