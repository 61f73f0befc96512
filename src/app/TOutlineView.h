#pragma once

#include <QPersistentModelIndex>
#include <QTreeView>

#include "document/TDropZone.h"

// The outline control: a tree view whose items are dragged within it. A drop does
// not move anything by itself; it reports where the item was dropped. A right click
// asks for the context menu; it does not open one itself.
//
// After any change of rows QTreeView lays all rows out again, later. A selection made
// meanwhile does not ask for that layout at once to repaint its rows and to scroll
// to the current one: the layout repaints every row anyway, and then scrolls to the
// current row. A series of outline changes made at once costs a single layout.
class TOutlineView : public QTreeView {
    Q_OBJECT

  public:
    explicit TOutlineView(QWidget* parent = nullptr);

    // The drop zone and target item at a point of the viewport.
    TDropZone::Zone ZoneAt(const QPoint& point, QModelIndex* target) const;

    // Takes the label being edited, as Enter would: before anything saves, replaces or
    // ends the document.
    void CommitLabelEdit();
    // Whether an item's label is being edited in place.
    bool EditingLabel() const;
    // Lays the rows out only before they are next shown: expanding or collapsing many
    // items then costs a single layout instead of one for each.
    void DeferLayout() { RowsChanged(); }
    // What the context menu opened from the keyboard hangs from (global): the left edge
    // of the current row, whose lower-left corner is kept inside the outline.
    QRect ContextMenuAnchor() const;

    void setModel(QAbstractItemModel* model) override;
    void doItemsLayout() override;

  signals:
    void ItemDropped(const QPoint& point);
    // Files dragged in from outside (a file manager) and dropped at point.
    void FilesDropped(const QStringList& paths, const QPoint& point);
    // A right click at globalPoint, with the clicked item selected: the context menu is
    // wanted there.
    void ContextMenuWanted(const QPoint& globalPoint);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;

  private:
    // The item right-clicked becomes the current and only selected item, unless it is
    // selected already; a click beside the items keeps the selection as it is.
    void SelectForContextMenu(const QModelIndex& index);
    void SetDropTarget(const QModelIndex& index);
    // Bottom of the last visible row, -1 without rows.
    int LastRowBottom() const;
    // The rows have changed: they are laid out again before they are next shown.
    void RowsChanged();
    // Whether a change of the current row may leave its repaint and scroll to the
    // coming layout: not while an item's label is being edited, whose editor the
    // change closes, nor for assistive technology, which follows the current row.
    bool CurrentCanWaitForLayout() const;
    bool HasOpenEditor() const;
    QWidget* OpenEditor() const;

    QPersistentModelIndex dropTarget_;
    bool layoutPending_ = false;
    QPersistentModelIndex currentToShow_;  // the current row the coming layout scrolls to
    QList<QMetaObject::Connection> modelConnections_;
};
