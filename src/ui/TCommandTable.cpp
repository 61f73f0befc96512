#include "ui/TCommandTable.h"

#include "skin/TSkinLayout.h"

namespace {

using C = TCommand;
using M = TMenuCommand;
constexpr TShortcutScope kOutline = TShortcutScope::Outline;

}  // namespace

const QList<TCommandRow>& TCommandTable::All() {
    static const QList<TCommandRow> rows = {
        {C::NewFile, M::NewFile, SkinCode::NewFile, {Qt::CTRL | Qt::Key_N}},
        {C::OpenFile, M::OpenFile, SkinCode::OpenFile, {Qt::CTRL | Qt::Key_O}},
        {C::SaveFile, M::SaveFile, SkinCode::SaveFile, {Qt::CTRL | Qt::Key_S}},
        {C::SaveFileAs, M::SaveFileAs, SkinCode::None, {Qt::CTRL | Qt::SHIFT | Qt::Key_S}},
        {C::RecentFile1, M::RecentFile1},
        {C::RecentFile2, M::RecentFile2},
        {C::RecentFile3, M::RecentFile3},
        {C::RecentFile4, M::RecentFile4},
        {C::RecentFile5, M::RecentFile5},
        {C::Exit, M::Exit},
        {C::Import, M::Import, SkinCode::None, {Qt::CTRL | Qt::SHIFT | Qt::Key_I}},
        {C::Export, M::Export, SkinCode::None, {Qt::CTRL | Qt::SHIFT | Qt::Key_E}},
        {C::Print, M::Print, SkinCode::None, {Qt::CTRL | Qt::Key_P}},
        {C::ExportPdf, M::ExportPdf, SkinCode::None, {Qt::CTRL | Qt::SHIFT | Qt::Key_P}},
        {C::AddItem,
         M::AddItem,
         SkinCode::ButtonBrother,
         {QKeyCombination(Qt::Key_Insert)},
         kOutline},
        {C::AddChildItem,
         M::AddChildItem,
         SkinCode::ButtonChild,
         {Qt::CTRL | Qt::Key_Insert},
         kOutline},
        {C::DeleteItem,
         M::DeleteItem,
         SkinCode::ButtonDelete,
         {QKeyCombination(Qt::Key_Delete)},
         kOutline},
        {C::AddItemText, M::AddItemText, SkinCode::PasteBrother},
        {C::AddChildItemText, M::AddChildItemText, SkinCode::PasteChild},
        {C::MoveUpItem, M::None, SkinCode::ItemUp, {Qt::ALT | Qt::Key_Up}, kOutline},
        {C::MoveDownItem, M::None, SkinCode::ItemDown, {Qt::ALT | Qt::Key_Down}, kOutline},
        {C::MoveLeftItem, M::None, SkinCode::ItemLeft, {Qt::ALT | Qt::Key_Left}, kOutline},
        {C::MoveRightItem, M::None, SkinCode::ItemRight, {Qt::ALT | Qt::Key_Right}, kOutline},
        {C::UndoOutline, M::None, SkinCode::None, {Qt::CTRL | Qt::Key_Z}, kOutline},
        {C::RedoOutline,
         M::None,
         SkinCode::None,
         {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
         kOutline},
        {C::DuplicateItem, M::DuplicateItem, SkinCode::None, {Qt::CTRL | Qt::Key_D}, kOutline},
        {C::SortChildrenAscending, M::SortChildrenAscending},
        {C::SortChildrenDescending, M::SortChildrenDescending},
        {C::CutItems, M::CutItems, SkinCode::None, {Qt::CTRL | Qt::Key_X}, kOutline},
        {C::CopyItems, M::CopyItems, SkinCode::None, {Qt::CTRL | Qt::Key_C}, kOutline},
        {C::PasteItems, M::PasteItems, SkinCode::None, {Qt::CTRL | Qt::Key_V}, kOutline},
        {C::PasteItemsAsChildren,
         M::PasteItemsAsChildren,
         SkinCode::None,
         {Qt::CTRL | Qt::SHIFT | Qt::Key_V},
         kOutline},
        // Splitting works from the editor, at its caret.
        {C::SplitItem, M::SplitItem, SkinCode::None, {Qt::CTRL | Qt::SHIFT | Qt::Key_Return}},
        {C::JoinItems, M::JoinItems, SkinCode::None, {Qt::CTRL | Qt::Key_J}, kOutline},
        {C::OpenContextMenu,
         M::None,
         SkinCode::None,
         {QKeyCombination(Qt::Key_Menu), Qt::SHIFT | Qt::Key_F10},
         kOutline},
        {C::ExpandAll, M::ExpandAll, SkinCode::None, {Qt::CTRL | Qt::Key_0}, kOutline},
        {C::CollapseAll, M::CollapseAll},
        {C::ShowLevel1, M::ShowLevel1, SkinCode::None, {Qt::CTRL | Qt::Key_1}, kOutline},
        {C::ShowLevel2, M::ShowLevel2, SkinCode::None, {Qt::CTRL | Qt::Key_2}, kOutline},
        {C::ShowLevel3, M::ShowLevel3, SkinCode::None, {Qt::CTRL | Qt::Key_3}, kOutline},
        {C::ShowLevel4, M::ShowLevel4, SkinCode::None, {Qt::CTRL | Qt::Key_4}, kOutline},
        {C::ShowLevel5, M::ShowLevel5, SkinCode::None, {Qt::CTRL | Qt::Key_5}, kOutline},
        {C::ShowLevel6, M::ShowLevel6, SkinCode::None, {Qt::CTRL | Qt::Key_6}, kOutline},
        {C::ShowLevel7, M::ShowLevel7, SkinCode::None, {Qt::CTRL | Qt::Key_7}, kOutline},
        {C::ShowLevel8, M::ShowLevel8, SkinCode::None, {Qt::CTRL | Qt::Key_8}, kOutline},
        {C::ShowLevel9, M::ShowLevel9, SkinCode::None, {Qt::CTRL | Qt::Key_9}, kOutline},
        {C::ExpandSelected, M::ExpandSelected},
        {C::CollapseSelected, M::CollapseSelected},
        {C::ShowCount, M::ShowCount, SkinCode::None, {Qt::CTRL | Qt::SHIFT | Qt::Key_C}},
        {C::ShowVertical, M::ShowVertical, SkinCode::None, {Qt::CTRL | Qt::SHIFT | Qt::Key_T}},
        {C::Cut, M::Cut, SkinCode::Cut},
        {C::Copy, M::Copy, SkinCode::Copy},
        {C::Paste, M::Paste, SkinCode::Paste},
        {C::Undo, M::Undo, SkinCode::Undo},
        {C::Find, M::Find, SkinCode::None, {Qt::CTRL | Qt::Key_F}},
        {C::Replace, M::Replace, SkinCode::None, {Qt::CTRL | Qt::Key_H}},
        {C::FindNext, M::None, SkinCode::None, {QKeyCombination(Qt::Key_F3)}},
        {C::FindInOutline, M::None, SkinCode::None, {Qt::CTRL | Qt::SHIFT | Qt::Key_F}},
        {C::AutoLoad, M::AutoLoad},
        {C::AutoSave, M::AutoSave},
        {C::AutoBackup, M::AutoBackup},
        {C::EditorWordWrap, M::EditorWordWrap},
        {C::TreeFont, M::TreeFont},
        {C::EditorFont, M::EditorFont},
        {C::Associate, M::Associate},
        {C::DeleteRegistry, M::DeleteRegistry},
        {C::SetOption, M::SetOption},
        {C::OpenHelp, M::OpenHelp},
        {C::Version, M::Version},
        {C::HomePage, M::HomePage, SkinCode::Homepage},
        {C::LatestVersion, M::LatestVersion},
        {C::MailLink, M::None, SkinCode::EMail},
        {C::SwitchFocus, M::None, SkinCode::None, {QKeyCombination(Qt::Key_F6)}},
        // The menu band's titles also open with Alt and their letter, as Windows users
        // expect of a menu bar.
        {C::OpenFileMenu,
         M::None,
         SkinCode::MenuFile,
         {QKeyCombination(Qt::Key_F10), Qt::ALT | Qt::Key_F}},
        {C::OpenEditMenu, M::None, SkinCode::MenuEdit, {Qt::ALT | Qt::Key_E}},
        {C::OpenViewMenu, M::None, SkinCode::MenuView, {Qt::ALT | Qt::Key_V}},
        {C::OpenOptionMenu, M::None, SkinCode::MenuOption, {Qt::ALT | Qt::Key_O}},
        {C::OpenHelpMenu, M::None, SkinCode::MenuHelp, {Qt::ALT | Qt::Key_H}},
        {C::Minimize, M::None, SkinCode::Minimize},
        {C::Maximize, M::None, SkinCode::Maximize},
        {C::Close, M::None, SkinCode::Close},
    };
    return rows;
}

std::optional<TCommand> TCommandTable::OfMenuEntry(TMenuCommand entry) {
    if (entry == TMenuCommand::None) return std::nullopt;
    for (const TCommandRow& row : All())
        if (row.MenuEntry == entry) return row.Id;
    return std::nullopt;
}

std::optional<TCommand> TCommandTable::OfButton(SkinCode element) {
    if (element == SkinCode::None) return std::nullopt;
    for (const TCommandRow& row : All())
        if (row.Button == element) return row.Id;
    return std::nullopt;
}
