#include "document/TOutlineItemModel.h"

TOutlineItemModel::TOutlineItemModel(QObject* parent) : QAbstractItemModel(parent) {}

void TOutlineItemModel::SetImages(const QIcon& item, const QIcon& selectedItem) {
    itemIcon_ = item;
    switchingIcon_ = QIcon();
    for (const QSize& size : item.availableSizes())
        switchingIcon_.addPixmap(item.pixmap(size), QIcon::Normal);
    for (const QSize& size : selectedItem.availableSizes()) {
        switchingIcon_.addPixmap(selectedItem.pixmap(size), QIcon::Selected);
        switchingIcon_.addPixmap(selectedItem.pixmap(size), QIcon::Active);
    }
}

TOutlineItem* TOutlineItemModel::ItemOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<TOutlineItem*>(index.internalPointer()) : nullptr;
}

QModelIndex TOutlineItemModel::IndexOf(const TOutlineItem* item) const {
    if (!item || item == outline_.Root()) return {};
    return createIndex(item->Row(), 0, const_cast<TOutlineItem*>(item));
}

TOutlineItem* TOutlineItemModel::InsertItem(TOutlineItem* parent, int row, const QString& label,
                                            int itemNumber) {
    if (!parent) parent = outline_.Root();
    beginInsertRows(IndexOf(parent), row, row);
    TOutlineItem* item = outline_.Insert(parent, row, label, itemNumber);
    endInsertRows();
    return item;
}

void TOutlineItemModel::InsertRows(TOutlineItem* parent, int row, int count,
                                   const std::function<void(TOutline& outline)>& build) {
    if (!parent) parent = outline_.Root();
    if (count <= 0) return;
    beginInsertRows(IndexOf(parent), row, row + count - 1);
    build(outline_);
    endInsertRows();
}

void TOutlineItemModel::RemoveItem(TOutlineItem* item) {
    const int row = item->Row();
    beginRemoveRows(IndexOf(item->Parent()), row, row);
    outline_.Remove(item);
    endRemoveRows();
}

void TOutlineItemModel::MoveItem(TOutlineItem* item, TOutlineItem* newParent, int row) {
    if (!newParent) newParent = outline_.Root();
    const int oldRow = item->Row();
    const QModelIndex from = IndexOf(item->Parent());
    const QModelIndex to = IndexOf(newParent);
    if (item->Parent() == newParent && (row == oldRow || row == oldRow + 1)) return;
    beginMoveRows(from, oldRow, oldRow, to, row);
    outline_.Move(item, newParent, row);
    endMoveRows();
}

void TOutlineItemModel::ReorderChildren(TOutlineItem* parent,
                                        const std::vector<TOutlineItem*>& order) {
    if (!parent) parent = outline_.Root();
    const QList<QPersistentModelIndex> parents = {IndexOf(parent)};
    emit layoutAboutToBeChanged(parents, QAbstractItemModel::VerticalSortHint);
    outline_.Reorder(parent, order);
    // Only the rows of parent's children change; their descendants keep theirs.
    const QModelIndexList persistent = persistentIndexList();
    for (const QModelIndex& index : persistent) {
        const TOutlineItem* item = ItemOf(index);
        if (item && item->Parent() == parent && item->Row() != index.row())
            changePersistentIndex(
                index, createIndex(item->Row(), index.column(), const_cast<TOutlineItem*>(item)));
    }
    emit layoutChanged(parents, QAbstractItemModel::VerticalSortHint);
}

void TOutlineItemModel::SetLabel(TOutlineItem* item, const QString& label) {
    item->Label = label;
    const QModelIndex index = IndexOf(item);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
}

void TOutlineItemModel::Clear() {
    beginResetModel();
    outline_.Clear();
    endResetModel();
}

void TOutlineItemModel::ReplaceOutline(TOutline&& outline) {
    beginResetModel();
    outline_ = std::move(outline);
    endResetModel();
}

QModelIndex TOutlineItemModel::index(int row, int column, const QModelIndex& parent) const {
    const TOutlineItem* parentItem = parent.isValid() ? ItemOf(parent) : outline_.Root();
    if (column != 0 || row < 0 || row >= parentItem->ChildCount()) return {};
    return createIndex(row, 0, parentItem->Child(row));
}

QModelIndex TOutlineItemModel::parent(const QModelIndex& index) const {
    const TOutlineItem* item = ItemOf(index);
    return item ? IndexOf(item->Parent()) : QModelIndex();
}

int TOutlineItemModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const TOutlineItem* item = parent.isValid() ? ItemOf(parent) : outline_.Root();
    return item->ChildCount();
}

int TOutlineItemModel::columnCount(const QModelIndex&) const { return 1; }

QVariant TOutlineItemModel::data(const QModelIndex& index, int role) const {
    const TOutlineItem* item = ItemOf(index);
    if (!item) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return item->Label;
        case Qt::DecorationRole:
            return item->SelectedIndex == item->ImageIndex ? itemIcon_ : switchingIcon_;
        default: return {};
    }
}

bool TOutlineItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    TOutlineItem* item = ItemOf(index);
    if (!item || role != Qt::EditRole) return false;
    const QString formerLabel = item->Label;
    SetLabel(item, value.toString());
    emit LabelEdited(item, formerLabel);
    return true;
}

Qt::ItemFlags TOutlineItemModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled |
           Qt::ItemIsDropEnabled;
}
