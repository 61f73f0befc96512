#include "app/TOutlineView.h"

#include <QAccessible>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <algorithm>

#include "ui/TOutlineAccessible.h"

namespace {
const QString kItemMime = QStringLiteral("application/x-hedgerow-outline-item");
}

TOutlineView::TOutlineView(QWidget* parent) : QTreeView(parent) {
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDropIndicatorShown(false);
    // Every row is one line of the same font beside the same icon. Without this the
    // view asks every row above the selected one for its height after each change of
    // the outline, which lays out the text of thousands of labels.
    setUniformRowHeights(true);
    // Right clicks come to the mouse handlers below; the window system's context menu
    // requests, by mouse or by the Menu key, go nowhere.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

QRect TOutlineView::ContextMenuAnchor() const {
    const QRect inside = viewport()->rect();
    const QRect row = visualRect(currentIndex());
    const int left = std::clamp(row.isValid() ? row.left() : 0, inside.left(), inside.right());
    const int bottom =
        std::clamp(row.isValid() ? row.bottom() : inside.top(), inside.top(), inside.bottom() - 1);
    const int top = std::clamp(row.isValid() ? row.top() : inside.top(), inside.top(), bottom);
    // No width: the menu hangs from the row's edge, not from across the row.
    return {viewport()->mapToGlobal(QPoint(left, top)), QSize(0, bottom - top + 1)};
}

void TOutlineView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        QTreeView::mousePressEvent(event);
        return;
    }
    SelectForContextMenu(indexAt(event->position().toPoint()));
    event->accept();
    emit ContextMenuWanted(event->globalPosition().toPoint());
}

// The view's own handling would drag items or select rows with the right button.
void TOutlineView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::RightButton)
        event->accept();
    else
        QTreeView::mouseMoveEvent(event);
}

void TOutlineView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        event->accept();
    else
        QTreeView::mouseReleaseEvent(event);
}

void TOutlineView::SelectForContextMenu(const QModelIndex& index) {
    if (!index.isValid() || selectionModel()->isSelected(index)) return;
    CommitLabelEdit();
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

TDropZone::Zone TOutlineView::ZoneAt(const QPoint& point, QModelIndex* target) const {
    const QModelIndex index = indexAt(point);
    *target = index;
    if (!index.isValid())
        return TDropZone::Classify(point.x(), nullptr, point.y() > LastRowBottom());
    const QRect cell = visualRect(index);
    const int iconWidth = iconSize().isValid() ? iconSize().width() : 16;
    const int labelWidth = fontMetrics().horizontalAdvance(index.data(Qt::DisplayRole).toString());
    const TDropZone::Row row{cell.left(), cell.left() + iconWidth + labelWidth + 12, indentation()};
    return TDropZone::Classify(point.x(), &row, false);
}

int TOutlineView::LastRowBottom() const {
    QModelIndex last = model() ? model()->index(model()->rowCount() - 1, 0) : QModelIndex();
    if (!last.isValid()) return -1;
    while (isExpanded(last) && model()->rowCount(last) > 0)
        last = model()->index(model()->rowCount(last) - 1, 0, last);
    return visualRect(last).bottom();
}

void TOutlineView::startDrag(Qt::DropActions) {
    if (!currentIndex().isValid()) return;
    auto* data = new QMimeData;
    data->setData(kItemMime, QByteArray());
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::MoveAction);
    SetDropTarget({});
}

namespace {

// The local files a drag from outside carries; empty when it carries anything else.
QStringList DroppedFiles(const QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (!url.isLocalFile()) return {};
        paths << url.toLocalFile();
    }
    return paths;
}

}  // namespace

void TOutlineView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->source() == this && event->mimeData()->hasFormat(kItemMime))
        event->acceptProposedAction();
    else if (event->source() == nullptr && !DroppedFiles(event).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TOutlineView::dragMoveEvent(QDragMoveEvent* event) {
    const bool files = event->source() == nullptr && !DroppedFiles(event).isEmpty();
    if (event->source() != this && !files) {
        event->ignore();
        return;
    }
    // Every position accepts the drop; the item under the pointer shows as the target.
    SetDropTarget(indexAt(event->position().toPoint()));
    event->acceptProposedAction();
}

void TOutlineView::dragLeaveEvent(QDragLeaveEvent* event) {
    SetDropTarget({});
    QTreeView::dragLeaveEvent(event);
}

void TOutlineView::dropEvent(QDropEvent* event) {
    SetDropTarget({});
    if (event->source() == nullptr) {
        const QStringList paths = DroppedFiles(event);
        if (paths.isEmpty()) {
            event->ignore();
            return;
        }
        event->setDropAction(Qt::CopyAction);
        event->accept();
        emit FilesDropped(paths, event->position().toPoint());
        return;
    }
    if (event->source() != this) {
        event->ignore();
        return;
    }
    // The main window moves the item; the view itself removes nothing.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit ItemDropped(event->position().toPoint());
}

void TOutlineView::SetDropTarget(const QModelIndex& index) {
    if (dropTarget_ == index) return;
    const QModelIndex previous = dropTarget_;
    dropTarget_ = index;
    if (previous.isValid()) viewport()->update(visualRect(previous));
    if (index.isValid()) viewport()->update(visualRect(index));
}

void TOutlineView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    if (index.isValid() && index == dropTarget_) {
        QStyleOptionViewItem highlighted = option;
        highlighted.state |= QStyle::State_Selected;
        QTreeView::drawRow(painter, highlighted, index);
        return;
    }
    QTreeView::drawRow(painter, option, index);
}

void TOutlineView::setModel(QAbstractItemModel* model) {
    for (const QMetaObject::Connection& connection : std::as_const(modelConnections_))
        disconnect(connection);
    modelConnections_.clear();
    QTreeView::setModel(model);
    RowsChanged();
    if (!model) return;
    using Model = QAbstractItemModel;
    modelConnections_ = {
        connect(model, &Model::rowsAboutToBeMoved, this, &TOutlineView::RowsChanged),
        connect(model, &Model::layoutAboutToBeChanged, this, &TOutlineView::RowsChanged),
        connect(model, &Model::modelAboutToBeReset, this, &TOutlineView::RowsChanged),
    };
}

void TOutlineView::RowsChanged() {
    layoutPending_ = true;
    scheduleDelayedItemsLayout();
}

void TOutlineView::rowsInserted(const QModelIndex& parent, int start, int end) {
    QTreeView::rowsInserted(parent, start, end);
    RowsChanged();
}

// Before the base class, which moves the current row off removed rows.
void TOutlineView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    RowsChanged();
    QTreeView::rowsAboutToBeRemoved(parent, start, end);
}

// A current row hidden meanwhile in a collapsed parent stays hidden: scrollTo() would
// expand its parents, which the selection, made while the row was shown, never did.
void TOutlineView::doItemsLayout() {
    QTreeView::doItemsLayout();  // repaints every row
    layoutPending_ = false;
    if (!currentToShow_.isValid()) return;
    const QModelIndex current = currentToShow_;
    currentToShow_ = QPersistentModelIndex();
    if (hasAutoScroll() && visualRect(current).isValid()) scrollTo(current);
}

void TOutlineView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (!CurrentCanWaitForLayout()) {
        // The tree view's own notice names the row by its place in a table that counts the
        // header too; the outline's accessible interface counts rows alone and tells.
        QAbstractItemView::currentChanged(current, previous);
        TOutlineAccessible::CurrentChanged(this);
        return;
    }
    currentToShow_ = current;
    setAttribute(Qt::WA_InputMethodEnabled,
                 current.isValid() && (current.flags() & Qt::ItemIsEditable));
}

void TOutlineView::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
    QAbstractItemView::selectionChanged(selected, deselected);
    TOutlineAccessible::SelectionChanged(this);
}

bool TOutlineView::CurrentCanWaitForLayout() const {
    return layoutPending_ && isVisible() && !HasOpenEditor() && !QAccessible::isActive();
}

// An item's label editor is a child of the viewport, hidden as soon as it closes.
QWidget* TOutlineView::OpenEditor() const {
    const QList<QWidget*> children = viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    const auto open = std::find_if(children.begin(), children.end(),
                                   [](const QWidget* child) { return child->isVisible(); });
    return open == children.end() ? nullptr : *open;
}

bool TOutlineView::HasOpenEditor() const { return OpenEditor() != nullptr; }

bool TOutlineView::EditingLabel() const {
    return state() == QAbstractItemView::EditingState || HasOpenEditor();
}

void TOutlineView::CommitLabelEdit() {
    if (state() != QAbstractItemView::EditingState) return;
    QWidget* editor = OpenEditor();
    if (!editor) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QRegion TOutlineView::visualRegionForSelection(const QItemSelection& selection) const {
    if (layoutPending_) return QRegion(viewport()->rect());  // the layout repaints every row
    return QTreeView::visualRegionForSelection(selection);
}
