#include "ui/TMenuEntryAccessible.h"

#include "ui/TMenuGeometry.h"
#include "ui/TSystemMenuForm.h"

TMenuEntryAccessible::TMenuEntryAccessible(TSystemMenuForm* menu, QAccessibleInterface* parent,
                                           TMenuCommand command)
    : TPressableAccessible(menu, parent), menu_(menu), command_(command) {}

const TMenuEntry* TMenuEntryAccessible::Entry() const {
    return TPressableAccessible::isValid() ? menu_->Table().Find(command_) : nullptr;
}

bool TMenuEntryAccessible::isValid() const { return Entry() != nullptr; }

QString TMenuEntryAccessible::text(QAccessible::Text t) const {
    const TMenuEntry* entry = Entry();
    if (!entry) return {};
    switch (t) {
        // Captions of entries without a mark start with a blank where the mark would be.
        case QAccessible::Name: return entry->Text.trimmed();
        case QAccessible::Description: return entry->Hint;
        default: return {};
    }
}

QAccessible::State TMenuEntryAccessible::state() const {
    QAccessible::State state;
    const TMenuEntry* entry = Entry();
    if (!entry) return state;
    state.focusable = true;
    state.focused = menu_->HoverCode() == command_;
    if (!entry->ToggleKey.isEmpty()) {
        state.checkable = true;
        state.checked = menu_->Checked(*entry);
    }
    return state;
}

void TMenuEntryAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction() && Entry()) menu_->ChooseEntry(command_);
}

QRect TMenuEntryAccessible::LocalRect() const {
    const TMenuEntry* entry = Entry();
    return entry ? TMenuGeometry::BandOf(menu_->Table(), *entry) : QRect();
}
