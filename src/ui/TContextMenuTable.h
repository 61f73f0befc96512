#pragma once

#include "ui/TMenuTables.h"

class TSettingsList;

// The outline's context menu: entries of the edit and view menus, with their captions,
// hints and codes, in groups divided by separators and spaced as the drop-down menus
// space theirs. It opens wherever it is asked for, so its table has no left offset.
class TContextMenuTable {
  public:
    static TMenuTable Build(const TSettingsList& settings);

  private:
    // The entry of command as the edit or the view menu lists it.
    static TMenuEntry EntryOf(TMenuCommand command, const TMenuTable& edit, const TMenuTable& view);
};
