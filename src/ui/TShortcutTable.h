#pragma once

#include <QKeyCombination>
#include <QVector>

// What a key of the main window does. The commands are the same operations the menus
// and buttons run; SwitchFocus moves the keyboard between the outline and the editor,
// OpenFileMenu to OpenHelpMenu open a menu as a click on its title does.
enum class TKeyCommand {
    NewFile,
    OpenFile,
    SaveFile,
    SaveFileAs,
    Find,
    Replace,
    FindNext,
    FindInOutline,
    SwitchFocus,
    OpenFileMenu,
    OpenEditMenu,
    OpenViewMenu,
    OpenOptionMenu,
    OpenHelpMenu,
    AddItem,
    AddChildItem,
    DeleteItem,
    MoveUpItem,
    MoveDownItem,
    MoveLeftItem,
    MoveRightItem,
    UndoOutline,
    RedoOutline,
};

// Where a key counts: anywhere in the main window, or only while the outline itself
// has the focus (not while a label is being edited in it).
enum class TShortcutScope { Window, Outline };

struct TShortcut {
    QKeyCombination Keys;
    TKeyCommand Command;
    TShortcutScope Scope;
};

// The keys of the main window. Alt pressed and released alone opens the file menu as
// F10 does; it is no key combination and so not in the table.
class TShortcutTable {
  public:
    static const QVector<TShortcut>& All();
};
