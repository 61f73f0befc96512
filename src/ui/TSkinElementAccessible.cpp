#include "ui/TSkinElementAccessible.h"

#include "skin/TSkinHints.h"
#include "ui/TAccessibleNames.h"
#include "ui/TSkinAccessHost.h"

TSkinElementAccessible::TSkinElementAccessible(QWidget* window, QAccessibleInterface* parent,
                                               TSkinAccessHost& host, SkinCode code,
                                               QAccessible::Role role)
    : TPressableAccessible(window, parent), host_(host), code_(code), role_(role) {}

TSkinElement TSkinElementAccessible::Element() const {
    for (const TSkinElement& element : host_.PressableElements())
        if (element.Code == code_) return element;
    return {};
}

QString TSkinElementAccessible::text(QAccessible::Text t) const {
    switch (t) {
        case QAccessible::Name: return TAccessibleNames::Of(Element());
        case QAccessible::Description: return TSkinHints::Of(code_);
        default: return {};
    }
}

QAccessible::State TSkinElementAccessible::state() const {
    QAccessible::State state;
    state.invisible = !Owner() || !Owner()->isVisible();
    if (role_ == QAccessible::MenuItem) state.hasPopup = true;
    return state;
}

QStringList TSkinElementAccessible::actionNames() const {
    return {role_ == QAccessible::MenuItem ? showMenuAction() : pressAction()};
}

void TSkinElementAccessible::doAction(const QString& actionName) {
    if (actionNames().contains(actionName)) host_.PressElement(code_);
}

QRect TSkinElementAccessible::LocalRect() const { return Element().Hit; }
