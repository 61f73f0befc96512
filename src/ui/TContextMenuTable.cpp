#include "ui/TContextMenuTable.h"

#include "ui/TMenuGeometry.h"

namespace {

using M = TMenuCommand;

// The groups of the menu, top to bottom.
const QVector<QVector<TMenuCommand>>& Groups() {
    static const QVector<QVector<TMenuCommand>> groups = {
        {M::AddItem, M::AddChildItem, M::DeleteItem},
        {M::CutItems, M::CopyItems, M::PasteItems, M::PasteItemsAsChildren},
        {M::DuplicateItem, M::JoinItems},
        {M::SortChildrenAscending, M::SortChildrenDescending},
        {M::ExpandSelected, M::CollapseSelected},
    };
    return groups;
}

// The spacing of the drop-down menus: entries 20 pixels apart, a separator 25 pixels
// below the entry above it and 15 above the entry below it, 30 pixels from the last
// entry's top to the window's bottom.
constexpr int kFirstY = 10;
constexpr int kEntryStep = 20;
constexpr int kSeparatorBelowEntry = 25;
constexpr int kGroupStep = 40;
constexpr int kBottom = 30;

}  // namespace

TMenuTable TContextMenuTable::Build(const TSettingsList& settings) {
    const TMenuTable edit = TMenuTables::Build(TMenuTables::kEdit, settings);
    const TMenuTable view = TMenuTables::Build(TMenuTables::kView, settings);
    TMenuTable table;
    table.MenuNumber = TMenuTables::kContext;
    const int width = TMenuGeometry::kContextWidth;
    int y = kFirstY - kEntryStep;  // the top of the entry above
    for (const QVector<TMenuCommand>& group : Groups()) {
        if (!table.Entries.isEmpty()) {
            table.Separators.append(
                {y + kSeparatorBelowEntry, TMenuGeometry::kMargin, width - TMenuGeometry::kMargin});
            y += kGroupStep - kEntryStep;
        }
        for (TMenuCommand command : group) {
            y += kEntryStep;
            TMenuEntry entry = EntryOf(command, edit, view);
            entry.Y = y;
            table.Entries.append(entry);
        }
    }
    table.Size = QSize(width, y + kBottom);
    return table;
}

TMenuEntry TContextMenuTable::EntryOf(TMenuCommand command, const TMenuTable& edit,
                                      const TMenuTable& view) {
    const TMenuEntry* entry = edit.Find(command);
    if (!entry) entry = view.Find(command);
    Q_ASSERT(entry);
    if (entry) return *entry;
    TMenuEntry missing;
    missing.Command = command;
    return missing;
}
