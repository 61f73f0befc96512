#pragma once

// Every command of the main window, wherever it is started from: a menu entry, a skin
// button, a key. Each is one row of TCommandTable.
enum class TCommand {
    // Files.
    NewFile,
    OpenFile,
    SaveFile,
    SaveFileAs,
    RecentFile1,
    RecentFile2,
    RecentFile3,
    RecentFile4,
    RecentFile5,
    Exit,
    // Items.
    AddItem,
    AddChildItem,
    DeleteItem,
    AddItemText,
    AddChildItemText,
    MoveUpItem,
    MoveDownItem,
    MoveLeftItem,
    MoveRightItem,
    UndoOutline,
    RedoOutline,
    // Editing.
    Cut,
    Copy,
    Paste,
    Undo,
    Find,
    Replace,
    FindNext,
    FindInOutline,
    // Options.
    AutoLoad,
    AutoSave,
    AutoBackup,
    EditorWordWrap,
    TreeFont,
    EditorFont,
    Associate,
    DeleteRegistry,
    SetOption,
    // Help and links.
    OpenHelp,
    Version,
    HomePage,
    LatestVersion,
    MailLink,
    // The window.
    SwitchFocus,
    OpenFileMenu,
    OpenEditMenu,
    OpenViewMenu,
    OpenOptionMenu,
    OpenHelpMenu,
    Minimize,
    Maximize,
    Close,
};
