#include "ui/TMainWindowAccessible.h"

#include "ui/THintLineAccessible.h"
#include "ui/TMenuBandAccessible.h"
#include "ui/TSkinAccessHost.h"
#include "ui/TSkinElementAccessible.h"

TMainWindowAccessible::TMainWindowAccessible(QWidget* window, TSkinAccessHost& host)
    : QAccessibleWidget(window, QAccessible::Window) {
    // The elements are the same in every size and state; the host gives their places.
    for (const TSkinElement& element : TSkinLayout::Elements(0, 0, TWindowState::Normal)) {
        if (TSkinLayout::MenuTitleCodes().contains(element.Code)) continue;
        drawn_.append(
            new TSkinElementAccessible(window, this, host, element.Code, QAccessible::Button));
    }
    drawn_.append(new TMenuBandAccessible(window, this, host));
    hintLine_ = new THintLineAccessible(window, this, host);
    drawn_.append(hintLine_);
    for (QAccessibleInterface* part : drawn_) QAccessible::registerAccessibleInterface(part);
}

TMainWindowAccessible::~TMainWindowAccessible() {
    for (QAccessibleInterface* part : drawn_)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(part));
}

QAccessibleInterface* TMainWindowAccessible::child(int index) const {
    if (index < drawn_.size()) return drawn_.value(index);
    return QAccessibleWidget::child(index - static_cast<int>(drawn_.size()));
}

int TMainWindowAccessible::childCount() const {
    return static_cast<int>(drawn_.size()) + QAccessibleWidget::childCount();
}

int TMainWindowAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const int drawn = static_cast<int>(drawn_.indexOf(const_cast<QAccessibleInterface*>(child)));
    if (drawn >= 0) return drawn;
    const int widget = QAccessibleWidget::indexOfChild(child);
    return widget < 0 ? -1 : widget + static_cast<int>(drawn_.size());
}

QAccessibleInterface* TMainWindowAccessible::childAt(int x, int y) const {
    if (QAccessibleInterface* widget = QAccessibleWidget::childAt(x, y)) return widget;
    for (QAccessibleInterface* part : drawn_)
        if (part->rect().contains(x, y)) return part;
    return nullptr;
}

void TMainWindowAccessible::HintChanged(QWidget* window) {
    if (!QAccessible::isActive()) return;
    auto* main =
        dynamic_cast<TMainWindowAccessible*>(QAccessible::queryAccessibleInterface(window));
    if (!main || !main->hintLine_) return;
    QAccessibleEvent event(main->hintLine_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
