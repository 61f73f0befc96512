#pragma once

// Every command the drop-down menus offer. The value of each is the code of its
// menu entry; None stands for no entry.
enum class TMenuCommand {
    None = 0,
    // File menu.
    NewFile = 101,
    OpenFile = 102,
    SaveFile = 103,
    SaveFileAs = 104,
    RecentFile1 = 105,
    RecentFile2 = 106,
    RecentFile3 = 107,
    RecentFile4 = 108,
    RecentFile5 = 109,
    Exit = 110,
    Import = 111,
    Export = 112,
    Print = 113,
    ExportPdf = 114,
    // Edit menu.
    AddItem = 21,
    AddChildItem = 22,
    DeleteItem = 23,
    AddItemText = 24,
    AddChildItemText = 25,
    Cut = 26,
    Copy = 27,
    Paste = 28,
    Undo = 29,
    DuplicateItem = 210,
    SortChildrenAscending = 211,
    SortChildrenDescending = 212,
    CutItems = 213,
    CopyItems = 214,
    PasteItems = 215,
    PasteItemsAsChildren = 216,
    SplitItem = 217,
    JoinItems = 218,
    // View menu.
    Find = 31,
    Replace = 32,
    ExpandAll = 33,
    CollapseAll = 34,
    ShowLevel1 = 35,
    ShowLevel2 = 36,
    ShowLevel3 = 37,
    ShowLevel4 = 38,
    ShowLevel5 = 39,
    ShowLevel6 = 310,
    ShowLevel7 = 311,
    ShowLevel8 = 312,
    ShowLevel9 = 313,
    ExpandSelected = 314,
    CollapseSelected = 315,
    ShowCount = 316,
    ShowVertical = 317,
    // Option menu.
    AutoLoad = 41,
    AutoSave = 42,
    AutoBackup = 43,
    EditorWordWrap = 44,
    TreeFont = 45,
    EditorFont = 46,
    Associate = 47,
    DeleteRegistry = 48,
    SetOption = 49,
    // Help menu.
    OpenHelp = 51,
    Version = 52,
    HomePage = 53,
    LatestVersion = 54,
};

// How choosing an entry treats the menu window around its command.
enum class TMenuClosing {
    RunThenClose,  // the command runs with the menu shown, then the menu closes
    HideRunClose,  // the menu hides, the command shows its dialog, then the menu closes
    HideRun,       // the menu hides and the command shows a modeless dialog
};
