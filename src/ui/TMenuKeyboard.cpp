#include "ui/TMenuKeyboard.h"

#include <Qt>

#include "ui/TMenuTables.h"

TMenuKey TMenuKeyboard::KeyOf(int key) {
    switch (key) {
        case Qt::Key_Escape: return TMenuKey::Close;
        case Qt::Key_Left: return TMenuKey::PreviousMenu;
        case Qt::Key_Right: return TMenuKey::NextMenu;
        case Qt::Key_Up: return TMenuKey::PreviousEntry;
        case Qt::Key_Down: return TMenuKey::NextEntry;
        case Qt::Key_Return:
        case Qt::Key_Enter: return TMenuKey::Choose;
        default: return TMenuKey::None;
    }
}

int TMenuKeyboard::NeighbourMenu(int menuNumber, int step) {
    const int count = TMenuTables::kHelp - TMenuTables::kFile + 1;
    const int index = menuNumber - TMenuTables::kFile + step;
    return TMenuTables::kFile + (index % count + count) % count;
}

TMenuCommand TMenuKeyboard::NeighbourEntry(const TMenuTable& table, TMenuCommand code, int step) {
    const qsizetype count = table.Entries.size();
    if (count == 0) return TMenuCommand::None;
    qsizetype index = -1;
    for (qsizetype i = 0; i < count; ++i)
        if (table.Entries[i].Command == code) index = i;
    if (index < 0) index = step > 0 ? count - 1 : 0;  // the next step lands on the first or last
    return table.Entries[((index + step) % count + count) % count].Command;
}
