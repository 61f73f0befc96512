#include "ui/THintLineAccessible.h"

#include "ui/TSkinAccessHost.h"

THintLineAccessible::THintLineAccessible(QWidget* window, QAccessibleInterface* parent,
                                         TSkinAccessHost& host)
    : TDrawnPartAccessible(window, parent), host_(host) {}

QString THintLineAccessible::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? host_.HintLineText() : QString();
}

QRect THintLineAccessible::LocalRect() const { return host_.HintLineRect(); }
