#include "ui/TShortcutTable.h"

namespace {

using K = TKeyCommand;
constexpr TShortcutScope kWindow = TShortcutScope::Window;
constexpr TShortcutScope kOutline = TShortcutScope::Outline;

}  // namespace

const QVector<TShortcut>& TShortcutTable::All() {
    static const QVector<TShortcut> shortcuts = {
        {Qt::CTRL | Qt::Key_N, K::NewFile, kWindow},
        {Qt::CTRL | Qt::Key_O, K::OpenFile, kWindow},
        {Qt::CTRL | Qt::Key_S, K::SaveFile, kWindow},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_S, K::SaveFileAs, kWindow},
        {Qt::CTRL | Qt::Key_F, K::Find, kWindow},
        {Qt::CTRL | Qt::Key_H, K::Replace, kWindow},
        {QKeyCombination(Qt::Key_F3), K::FindNext, kWindow},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_F, K::FindInOutline, kWindow},
        {QKeyCombination(Qt::Key_F6), K::SwitchFocus, kWindow},
        {QKeyCombination(Qt::Key_F10), K::OpenFileMenu, kWindow},
        // The menu band's titles, as Windows users expect of a menu bar.
        {Qt::ALT | Qt::Key_F, K::OpenFileMenu, kWindow},
        {Qt::ALT | Qt::Key_E, K::OpenEditMenu, kWindow},
        {Qt::ALT | Qt::Key_V, K::OpenViewMenu, kWindow},
        {Qt::ALT | Qt::Key_O, K::OpenOptionMenu, kWindow},
        {Qt::ALT | Qt::Key_H, K::OpenHelpMenu, kWindow},
        {QKeyCombination(Qt::Key_Insert), K::AddItem, kOutline},
        {Qt::CTRL | Qt::Key_Insert, K::AddChildItem, kOutline},
        {QKeyCombination(Qt::Key_Delete), K::DeleteItem, kOutline},
        {Qt::ALT | Qt::Key_Up, K::MoveUpItem, kOutline},
        {Qt::ALT | Qt::Key_Down, K::MoveDownItem, kOutline},
        {Qt::ALT | Qt::Key_Left, K::MoveLeftItem, kOutline},
        {Qt::ALT | Qt::Key_Right, K::MoveRightItem, kOutline},
        {Qt::CTRL | Qt::Key_Z, K::UndoOutline, kOutline},
        {Qt::CTRL | Qt::Key_Y, K::RedoOutline, kOutline},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, K::RedoOutline, kOutline},
    };
    return shortcuts;
}
