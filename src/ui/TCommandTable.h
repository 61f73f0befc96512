#pragma once

#include <QKeyCombination>
#include <QList>
#include <optional>

#include "skin/TSkinLayout.h"
#include "ui/TCommand.h"
#include "ui/TMenuCommand.h"

// Where a key counts: anywhere in the main window, or only while the outline itself
// has the focus (not while a label is being edited in it).
enum class TShortcutScope { Window, Outline };

// One command and everything that starts it: its menu entry (the entry's code, which
// the menu tables place and caption), its skin button and its keys.
struct TCommandRow {
    TCommand Id;
    TMenuCommand MenuEntry = TMenuCommand::None;
    SkinCode Button = SkinCode::None;
    QList<QKeyCombination> Keys = {};
    TShortcutScope Scope = TShortcutScope::Window;
};

// The one table of the main window's commands. The drop-down menus, the skin's buttons
// and the keyboard all start commands through it. Alt pressed and released alone opens
// the file menu as F10 does; it is no key combination and so not in the table.
class TCommandTable {
  public:
    static const QList<TCommandRow>& All();
    // The command of a menu entry or of a skin button; nothing when it has none.
    static std::optional<TCommand> OfMenuEntry(TMenuCommand entry);
    static std::optional<TCommand> OfButton(SkinCode element);
};
