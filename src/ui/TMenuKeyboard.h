#pragma once

#include "ui/TMenuCommand.h"

struct TMenuTable;

// What a key does in an open drop-down menu.
enum class TMenuKey { None, Close, PreviousMenu, NextMenu, PreviousEntry, NextEntry, Choose };

// The keyboard walk through the drop-down menus: along the menu band with Left and
// Right, through the entries with Up and Down (separators are no entries), Enter to
// choose, Escape to close.
class TMenuKeyboard {
  public:
    static TMenuKey KeyOf(int key);

    // The menu beside menuNumber on the menu band, to the left (step -1) or the right
    // (step 1); round from help to file and from file to help.
    static int NeighbourMenu(int menuNumber, int step);

    // The entry above (step -1) or below (step 1) the entry with code, round from the
    // last entry to the first and back. From no entry (code 0) going down gives the
    // first entry and going up the last. 0 for a menu without entries.
    static TMenuCommand NeighbourEntry(const TMenuTable& table, TMenuCommand code, int step);
};
