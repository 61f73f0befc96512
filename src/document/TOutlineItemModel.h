#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <functional>

#include "document/TOutline.h"

// Shows a TOutline to Qt's item views. Every change of the outline goes through
// this class so that views stay in step; the outline itself knows nothing of Qt.
class TOutlineItemModel : public QAbstractItemModel {
    Q_OBJECT

  public:
    explicit TOutlineItemModel(QObject* parent = nullptr);

    TOutline& Outline() { return outline_; }
    const TOutline& Outline() const { return outline_; }

    // Icons for image 0 (an item) and image 1 (the selected item).
    void SetImages(const QIcon& item, const QIcon& selectedItem);

    TOutlineItem* ItemOf(const QModelIndex& index) const;
    QModelIndex IndexOf(const TOutlineItem* item) const;

    TOutlineItem* InsertItem(TOutlineItem* parent, int row, const QString& label, int itemNumber);
    // Runs build, which inserts count items below parent from row on, each perhaps with
    // items below it, straight into the outline: the views hear of one insertion of count
    // rows, however many items it makes. build must not fail.
    void InsertRows(TOutlineItem* parent, int row, int count,
                    const std::function<void(TOutline& outline)>& build);
    void RemoveItem(TOutlineItem* item);
    // row counts newParent's children as they are before the move.
    void MoveItem(TOutlineItem* item, TOutlineItem* newParent, int row);
    // Puts parent's children into the order given (every child once) in one change of
    // the layout: however many children move, the views lay the rows out once.
    void ReorderChildren(TOutlineItem* parent, const std::vector<TOutlineItem*>& order);
    void SetLabel(TOutlineItem* item, const QString& label);
    void Clear();
    // Replaces the whole outline by another one in a single model reset.
    void ReplaceOutline(TOutline&& outline);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    // An in-place label edit was confirmed (Escape never gets here).
    void LabelEdited(TOutlineItem* item, const QString& formerLabel);

  private:
    TOutline outline_;
    QIcon itemIcon_;       // image 0 in both states
    QIcon switchingIcon_;  // image 0, image 1 while selected
};
