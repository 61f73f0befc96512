#pragma once

#include <QSize>
#include <QString>
#include <QVector>

#include "ui/TMenuCommand.h"

class TSettingsList;

// One entry of a drop-down menu. A toggle entry has a ToggleKey: its caption is the
// mark of that setting followed by Text.
struct TMenuEntry {
    // The entry's command; its value is the entry's code.
    TMenuCommand Command = TMenuCommand::None;
    int Y = 0;  // top of the caption
    QString Text;
    QString Hint;  // empty: hovering leaves the hint line alone
    QString ToggleKey;

    // The caption as drawn now: toggles read their setting every time.
    QString Caption(const TSettingsList& settings) const;
};

// A separator line at height Y from x = Left to x = Right; like a pen moving from
// Left to Right it covers the pixels Left to Right - 1.
struct TMenuSeparator {
    int Y = 0;
    int Left = 0;
    int Right = 0;
};

// One menu as it opens: what it lists and how large its window is.
struct TMenuTable {
    int MenuNumber = 0;       // 1 file, 2 edit, 3 view, 4 option, 5 help, 6 context; 0 none
    int RecentFileCount = 0;  // recent files listed; only the file menu has any
    int Left = 0;             // offset of the window from the main window's left edge
    QSize Size;
    QVector<TMenuEntry> Entries;
    QVector<TMenuSeparator> Separators;

    // The entry of that command; nullptr for None and commands the menu does not list.
    const TMenuEntry* Find(TMenuCommand code) const;
};

// The five drop-down menus: entries, captions, hints, separators and sizes.
class TMenuTables {
  public:
    static constexpr int kFile = 1, kEdit = 2, kView = 3, kOption = 4, kHelp = 5;
    // The outline's context menu, which hangs from no title of the menu band.
    static constexpr int kContext = 6;

    // The menu with that number as it opens with these settings; an empty table
    // (MenuNumber 0) for any other number.
    static TMenuTable Build(int menuNumber, const TSettingsList& settings);

    // The highest n of "RecentFile5" .. "RecentFile1" whose value is not exactly "nil";
    // 0 when all five are "nil". An absent key counts as in use.
    static int RecentFileCount(const TSettingsList& settings);

    // The file-name part of a stored path: the text after its last "\", "/" or ":".
    static QString FileNameOf(const QString& path);

    // "○" when the value is exactly "1", "×" for anything else.
    static QString ToggleMark(const QString& value);

    static TMenuClosing ClosingOf(TMenuCommand command);

  private:
    static void AddFileMenu(TMenuTable& table, const TSettingsList& settings);
    static void AddEditMenu(TMenuTable& table);
    static void AddViewMenu(TMenuTable& table);
    static void AddOptionMenu(TMenuTable& table);
    static void AddHelpMenu(TMenuTable& table);
};
