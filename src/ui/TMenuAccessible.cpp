#include "ui/TMenuAccessible.h"

#include "skin/TSkinLayout.h"
#include "ui/TAccessibleNames.h"
#include "ui/TMenuEntryAccessible.h"
#include "ui/TSystemMenuForm.h"

TMenuAccessible::TMenuAccessible(TSystemMenuForm* menu)
    : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

TMenuAccessible::~TMenuAccessible() {
    for (TMenuEntryAccessible* entry : std::as_const(entries_))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(entry));
}

TSystemMenuForm* TMenuAccessible::Menu() const { return static_cast<TSystemMenuForm*>(widget()); }

QString TMenuAccessible::text(QAccessible::Text t) const {
    if (t != QAccessible::Name) return QAccessibleWidget::text(t);
    const int number = Menu()->MenuNumber();
    const QVector<SkinCode>& titles = TSkinLayout::MenuTitleCodes();
    if (number < 1 || number > titles.size()) return QStringLiteral("項目");
    TSkinElement title;
    title.Code = titles[number - 1];
    return TAccessibleNames::Of(title);
}

TMenuEntryAccessible* TMenuAccessible::EntryOf(TMenuCommand command) const {
    TMenuEntryAccessible*& entry = entries_[static_cast<int>(command)];
    if (!entry) {
        entry = new TMenuEntryAccessible(Menu(), const_cast<TMenuAccessible*>(this), command);
        QAccessible::registerAccessibleInterface(entry);
    }
    return entry;
}

QAccessibleInterface* TMenuAccessible::child(int index) const {
    const QVector<TMenuEntry>& entries = Menu()->Table().Entries;
    if (index < 0 || index >= entries.size()) return nullptr;
    return EntryOf(entries[index].Command);
}

int TMenuAccessible::childCount() const { return static_cast<int>(Menu()->Table().Entries.size()); }

int TMenuAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const QVector<TMenuEntry>& entries = Menu()->Table().Entries;
    for (int i = 0; i < entries.size(); ++i)
        if (entries_.value(static_cast<int>(entries[i].Command)) == child) return i;
    return -1;
}

QAccessibleInterface* TMenuAccessible::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i)
        if (QAccessibleInterface* entry = child(i); entry->rect().contains(x, y)) return entry;
    return nullptr;
}

QAccessibleInterface* TMenuAccessible::focusChild() const {
    const TMenuCommand hovered = Menu()->HoverCode();
    return Menu()->Table().Find(hovered) ? EntryOf(hovered) : nullptr;
}

void TMenuAccessible::EntryHighlighted(TSystemMenuForm* menu) {
    if (!QAccessible::isActive()) return;
    auto* self = dynamic_cast<TMenuAccessible*>(QAccessible::queryAccessibleInterface(menu));
    if (!self) return;
    if (QAccessibleInterface* entry = self->focusChild()) {
        QAccessibleEvent event(entry, QAccessible::Focus);
        QAccessible::updateAccessibility(&event);
    }
}
