#include "ui/TOutlineAccessible.h"

#include <QTreeView>

#include "ui/TOutlineRowAccessible.h"

TOutlineAccessible::TOutlineAccessible(QTreeView* view)
    : QAccessibleWidget(view, QAccessible::Tree) {
    const auto forget = [this] { rowsKnown_ = false; };
    QObject::connect(view, &QTreeView::expanded, &watcher_, [this, forget](const QModelIndex& at) {
        forget();
        ExpandedChanged(at);
    });
    QObject::connect(view, &QTreeView::collapsed, &watcher_, [this, forget](const QModelIndex& at) {
        forget();
        ExpandedChanged(at);
    });
}

TOutlineAccessible::~TOutlineAccessible() {
    for (TOutlineRowAccessible* row : std::as_const(rowInterfaces_))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(row));
}

QTreeView* TOutlineAccessible::View() const { return static_cast<QTreeView*>(widget()); }

QString TOutlineAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? QStringLiteral("アウトライン") : QAccessibleWidget::text(t);
}

void TOutlineAccessible::Follow(QAbstractItemModel* model) const {
    if (model_) QObject::disconnect(model_, nullptr, &watcher_, nullptr);
    model_ = model;
    if (!model) return;
    const auto forget = [this] { rowsKnown_ = false; };
    QObject::connect(model, &QAbstractItemModel::rowsInserted, &watcher_, forget);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, &watcher_, forget);
    QObject::connect(model, &QAbstractItemModel::rowsMoved, &watcher_, forget);
    QObject::connect(model, &QAbstractItemModel::modelReset, &watcher_, forget);
    QObject::connect(model, &QAbstractItemModel::layoutChanged, &watcher_, forget);
}

// The rows a user sees when scrolling through the outline: every item whose ancestors
// are all expanded.
const std::vector<QPersistentModelIndex>& TOutlineAccessible::Rows() const {
    QAbstractItemModel* model = View()->model();
    if (model != model_) {
        Follow(model);
        rowsKnown_ = false;
    }
    if (rowsKnown_) return rows_;
    rows_.clear();
    if (model) {
        std::vector<QModelIndex> pending;
        for (int row = model->rowCount() - 1; row >= 0; --row)
            pending.push_back(model->index(row, 0));
        while (!pending.empty()) {
            const QModelIndex index = pending.back();
            pending.pop_back();
            rows_.emplace_back(index);
            if (!View()->isExpanded(index)) continue;
            for (int row = model->rowCount(index) - 1; row >= 0; --row)
                pending.push_back(model->index(row, 0, index));
        }
    }
    rowsKnown_ = true;
    return rows_;
}

TOutlineRowAccessible* TOutlineAccessible::RowOf(const QModelIndex& index) const {
    if (!index.isValid()) return nullptr;
    TOutlineRowAccessible*& row = rowInterfaces_[index.internalPointer()];
    // An item that went may have left its address to a new one.
    if (row && row->Index() != index) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(row));
        row = nullptr;
    }
    if (!row) {
        row = new TOutlineRowAccessible(View(), const_cast<TOutlineAccessible*>(this), index);
        QAccessible::registerAccessibleInterface(row);
    }
    return row;
}

QAccessibleInterface* TOutlineAccessible::child(int index) const {
    const std::vector<QPersistentModelIndex>& rows = Rows();
    if (index < 0 || index >= static_cast<int>(rows.size())) return nullptr;
    return RowOf(rows[index]);
}

int TOutlineAccessible::childCount() const { return static_cast<int>(Rows().size()); }

int TOutlineAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto* row = dynamic_cast<const TOutlineRowAccessible*>(child);
    if (!row) return -1;
    const std::vector<QPersistentModelIndex>& rows = Rows();
    const auto at = std::find(rows.begin(), rows.end(), row->Index());
    return at == rows.end() ? -1 : static_cast<int>(at - rows.begin());
}

QAccessibleInterface* TOutlineAccessible::childAt(int x, int y) const {
    const QPoint inViewport = View()->viewport()->mapFromGlobal(QPoint(x, y));
    return RowOf(View()->indexAt(inViewport));
}

QAccessibleInterface* TOutlineAccessible::focusChild() const {
    return RowOf(View()->currentIndex());
}

void TOutlineAccessible::ExpandedChanged(const QModelIndex& index) const {
    if (!QAccessible::isActive()) return;
    TOutlineRowAccessible* row = RowOf(index);
    if (!row) return;
    QAccessible::State changed;
    changed.expanded = true;
    changed.collapsed = true;
    QAccessibleStateChangeEvent event(row, changed);
    QAccessible::updateAccessibility(&event);
}

void TOutlineAccessible::CurrentChanged(QTreeView* view) {
    if (!QAccessible::isActive() || !view->hasFocus()) return;
    auto* tree = dynamic_cast<TOutlineAccessible*>(QAccessible::queryAccessibleInterface(view));
    if (!tree) return;
    if (QAccessibleInterface* row = tree->focusChild()) {
        QAccessibleEvent event(row, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}

void TOutlineAccessible::SelectionChanged(QTreeView* view) {
    if (!QAccessible::isActive()) return;
    QAccessibleEvent event(view, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&event);
}
