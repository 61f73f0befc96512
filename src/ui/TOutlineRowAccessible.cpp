#include "ui/TOutlineRowAccessible.h"

#include <QTreeView>

TOutlineRowAccessible::TOutlineRowAccessible(QTreeView* view, QAccessibleInterface* tree,
                                             const QModelIndex& index)
    : TPressableAccessible(view->viewport(), tree), view_(view), index_(index) {}

bool TOutlineRowAccessible::isValid() const {
    return TPressableAccessible::isValid() && index_.isValid();
}

int TOutlineRowAccessible::Level() const {
    int level = 0;
    for (QModelIndex at = index_; at.isValid(); at = at.parent()) ++level;
    return level;
}

QString TOutlineRowAccessible::text(QAccessible::Text t) const {
    if (!isValid()) return {};
    switch (t) {
        case QAccessible::Name: return index_.data(Qt::DisplayRole).toString();
        case QAccessible::Description: return QStringLiteral("レベル %1").arg(Level());
        default: return {};
    }
}

QAccessible::State TOutlineRowAccessible::state() const {
    QAccessible::State state;
    if (!isValid()) return state;
    state.selectable = true;
    state.selected = view_->selectionModel() && view_->selectionModel()->isSelected(index_);
    state.focusable = true;
    state.focused = view_->hasFocus() && view_->currentIndex() == index_;
    if (index_.model()->hasChildren(index_)) {
        state.expandable = true;
        state.expanded = view_->isExpanded(index_);
        state.collapsed = !state.expanded;
    }
    state.offscreen = !view_->viewport()->rect().intersects(LocalRect());
    return state;
}

QStringList TOutlineRowAccessible::actionNames() const {
    if (!isValid()) return {};
    if (index_.model()->hasChildren(index_)) return {pressAction(), toggleAction()};
    return {pressAction()};
}

void TOutlineRowAccessible::doAction(const QString& actionName) {
    if (!isValid()) return;
    if (actionName == pressAction()) view_->setCurrentIndex(index_);
    if (actionName == toggleAction()) view_->setExpanded(index_, !view_->isExpanded(index_));
}

QRect TOutlineRowAccessible::LocalRect() const {
    return isValid() ? view_->visualRect(index_) : QRect();
}
