#pragma once

#include <QColor>
#include <QSize>
#include <QStringList>
#include <optional>

#include "settings/TFontStyle.h"
#include "settings/TSettingsList.h"

// What start-up takes from the settings: the version check, the upgrade of an
// older list and the values a current list applies to the window.
class TStartupSettings {
  public:
    static constexpr const char16_t* kCurrentVersion = u"1.06";

    struct Font {
        QString family;
        std::optional<QColor> color;  // nothing when the value did not read
        std::optional<int> pointSize;
        TFontStyle style;
    };

    // The values of a current list. A value that is absent or does not read is left
    // out, so that the designed value stays; the text of one that does not read is
    // listed in badValues.
    struct Values {
        std::optional<int> top, left, height, width;
        std::optional<int> treeWidth;
        bool wordWrapOff = false;
        QString dialogFolder;  // empty: the dialogs keep their folder
        std::optional<Font> treeFont;
        std::optional<Font> editorFont;
        QStringList badValues;
        // The sizes that were larger than the desktop, as they were written.
        QStringList oversizedValues;
    };

    // Whether "iniFileVer" is exactly the current version.
    static bool IsCurrent(const TSettingsList& settings);

    // Brings an older list up to date in memory: the version keys and the empty
    // switches get their defaults; nothing else is added.
    static void Upgrade(TSettingsList& settings);

    static Values Read(const TSettingsList& settings);

    // Brings the window's and the outline's sizes within the desktop (a size beyond it is
    // listed in oversizedValues: a window that large cannot be drawn) and keeps the
    // window's position within a range where its edges are still numbers.
    static void FitToDesktop(Values& values, const QSize& desktop);

    // The folder part of a path: everything up to its last separator or ":".
    static QString FolderOf(const QString& path);
};
