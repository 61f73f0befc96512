#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>

#include "document/TDropZone.h"

// The outline control: a tree view whose items are dragged within it. A drop does
// not move anything by itself; it reports where the item was dropped.
class TOutlineView : public QTreeView {
    Q_OBJECT

public:
    explicit TOutlineView(QWidget* parent = nullptr);

    // The drop zone and target item at a point of the viewport.
    TDropZone::Zone ZoneAt(const QPoint& point, QModelIndex* target) const;

signals:
    void ItemDropped(const QPoint& point);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    void SetDropTarget(const QModelIndex& index);
    // Bottom of the last visible row, -1 without rows.
    int LastRowBottom() const;

    QPersistentModelIndex dropTarget_;
};
