#pragma once

#include <QSet>
#include <QString>
#include <memory>

#include "document/TDocumentWriter.h"
#include "document/TItemTextStore.h"
#include "document/TOutlineHistory.h"
#include "platform/TFileFingerprint.h"
#include "platform/TProgramFolders.h"
#include "settings/TSettingsList.h"

class TOutline;
class TOutlineItem;
class TOutlineItemModel;

// The state of the document being edited that the main window's concerns share: the
// outline, the item text files, the binding of the editor to an item and the settings.
// Plain data with the few steps every concern needs; no window.
class TDocumentSession {
  public:
    // folders: where the program's files live; model: the outline, owned by the window.
    TDocumentSession(TProgramFolders folders, TOutlineItemModel* model);

    TOutlineItemModel* TreeModel;
    TProgramFolders Folders;
    TSettingsList Settings;
    // The item text files in the data folder (Folders.DataFolder(): "Data" beside the
    // executable, or the user's data folder for an installed copy).
    TItemTextStore Store;
    // The outline's changes since the outline was created, opened or recovered.
    TOutlineHistory History;

    // Absolute index of the item whose text the editor holds; -1 until an item was
    // selected for the first time.
    int CurrentItemIndex = -1;
    bool Modified = false;
    // While false, selection changes touch neither the editor nor any item text file.
    bool SelectionSync = true;
    int NextItemNumber = 0;
    bool AutoLoadOn = false;
    bool AutoSaveOn = false;
    // The folder both file dialogs start in.
    QString DialogFolder;
    // The document file as last loaded or saved; none for a new document. A save over it
    // asks first when another program has changed it since.
    std::optional<TFileFingerprint> LoadedFile;

    TOutline& Outline() const;
    TOutlineItem* ItemAtCurrentIndex() const;

    // Starting at NextItemNumber, the first number without an item text file.
    int AllocateItemNumber();
    // The same for many numbers in a row, skipping the numbers of existing files.
    int AllocateItemNumber(const QSet<int>& existing);

    QString SettingsPath() const { return Folders.SettingsPath(); }
};
