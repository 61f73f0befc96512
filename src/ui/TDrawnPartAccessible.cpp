#include "ui/TDrawnPartAccessible.h"

#include <QWindow>

TDrawnPartAccessible::TDrawnPartAccessible(QWidget* owner, QAccessibleInterface* parent)
    : owner_(owner), parent_(parent) {}

bool TDrawnPartAccessible::isValid() const { return !owner_.isNull(); }

QWindow* TDrawnPartAccessible::window() const {
    return owner_ ? owner_->window()->windowHandle() : nullptr;
}

QRect TDrawnPartAccessible::rect() const {
    if (!owner_) return {};
    const QRect local = LocalRect();
    return QRect(owner_->mapToGlobal(local.topLeft()), local.size());
}
