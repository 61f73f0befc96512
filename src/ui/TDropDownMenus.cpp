#include "ui/TDropDownMenus.h"

#include "ui/TMenuTables.h"
#include "ui/TSystemMenuForm.h"

TSystemMenuForm* TDropDownMenus::Open(int menuNumber) {
    TSystemMenuForm* form = Replace();
    form->SystemMenuOpen(menuNumber);
    return form;
}

TSystemMenuForm* TDropDownMenus::OpenContext(const QRect& anchor) {
    TSystemMenuForm* form = Replace();
    form->ContextMenuOpen(anchor);
    return form;
}

TSystemMenuForm* TDropDownMenus::Replace() {
    if (current_) {
        current_->CloseMenu();
        current_->deleteLater();
    }
    auto* form = new TSystemMenuForm(host_, *this);
    current_ = form;
    return form;
}

TSystemMenuForm* TDropDownMenus::Current() const { return current_; }

bool TDropDownMenus::MenuVisible() const { return current_ && current_->isVisible(); }

bool TDropDownMenus::BandMenuVisible() const {
    return MenuVisible() && current_->MenuNumber() != TMenuTables::kContext;
}

bool TDropDownMenus::FollowPointer(SkinCode previousElement, SkinCode element) {
    if (!BandMenuVisible() || element == previousElement) return false;
    if (element < SkinCode::MenuFile || element > SkinCode::MenuHelp) return false;
    current_->CloseMenu();
    Open(static_cast<int>(element) - static_cast<int>(SkinCode::MenuFile) + TMenuTables::kFile);
    return true;
}
