#pragma once

#include <QSize>
#include <QString>

class QWidget;
class TSettingsList;

// Where a tool window beside the main window (the "文字数" window, the vertical preview)
// goes, kept in the settings under prefix + "Left", "Top", "Width" and "Height".
class TToolWindowPlace {
  public:
    TToolWindowPlace(TSettingsList& settings, QString prefix);

    // Puts window where the user left it, else of size beside owner; whole on owner's
    // screen either way.
    void Place(QWidget& window, const QWidget& owner, const QSize& size) const;
    // Keeps window's place; not while it was never shown (that place is no choice of the
    // user's).
    void Remember(const QWidget& window);

  private:
    QString Key(const char* edge) const { return prefix_ + QLatin1String(edge); }

    TSettingsList& settings_;
    QString prefix_;
};
