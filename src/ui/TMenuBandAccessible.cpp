#include "ui/TMenuBandAccessible.h"

#include "ui/TSkinElementAccessible.h"

TMenuBandAccessible::TMenuBandAccessible(QWidget* window, QAccessibleInterface* parent,
                                         TSkinAccessHost& host)
    : TDrawnPartAccessible(window, parent) {
    for (SkinCode code : TSkinLayout::MenuTitleCodes()) {
        auto* title = new TSkinElementAccessible(window, this, host, code, QAccessible::MenuItem);
        QAccessible::registerAccessibleInterface(title);
        titles_.append(title);
    }
}

TMenuBandAccessible::~TMenuBandAccessible() {
    for (TSkinElementAccessible* title : titles_)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(title));
}

QAccessibleInterface* TMenuBandAccessible::child(int index) const { return titles_.value(index); }

int TMenuBandAccessible::childCount() const { return static_cast<int>(titles_.size()); }

int TMenuBandAccessible::indexOfChild(const QAccessibleInterface* child) const {
    for (int i = 0; i < titles_.size(); ++i)
        if (titles_[i] == child) return i;
    return -1;
}

QAccessibleInterface* TMenuBandAccessible::childAt(int x, int y) const {
    for (TSkinElementAccessible* title : titles_)
        if (title->rect().contains(x, y)) return title;
    return nullptr;
}

QString TMenuBandAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? QStringLiteral("メニュー") : QString();
}

QRect TMenuBandAccessible::LocalRect() const {
    return Owner() ? TSkinLayout::MenuBand(Owner()->width()) : QRect();
}
