#include "app/TKeyboardShortcuts.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>
#include <QPlainTextEdit>
#include <QShortcut>

#include "app/TErrorBox.h"
#include "app/TItemCommands.h"
#include "app/TMainForm.h"
#include "app/TOutlineView.h"
#include "ui/TMenuTables.h"

namespace {

// A held key repeats; its repeats neither begin nor end anything.
const QKeyEvent* FreshKey(const QEvent* event) {
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->isAutoRepeat() ? nullptr : key;
}

// Alt with a key that would type a character (Ctrl+Alt is AltGr on some layouts, which
// types; AltGr itself is no Alt here).
bool IsAltCharacter(const QKeyEvent* key) {
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    return (modifiers & Qt::AltModifier) && !(modifiers & (Qt::ControlModifier | Qt::MetaModifier)) &&
           !key->text().isEmpty() && key->text().at(0).isPrint();
}

bool IsTextInput(const QObject* watched) {
    return qobject_cast<const QLineEdit*>(watched) || qobject_cast<const QPlainTextEdit*>(watched) ||
           qobject_cast<const QTextEdit*>(watched);
}

}  // namespace

TKeyboardShortcuts::TKeyboardShortcuts(TMainForm& form) : form_(form) {
    CreateShortcuts();
    qApp->installEventFilter(this);
}

TKeyboardShortcuts::~TKeyboardShortcuts() { qApp->removeEventFilter(this); }

void TKeyboardShortcuts::CreateShortcuts() {
    for (const TShortcut& shortcut : TShortcutTable::All()) {
        const bool outline = shortcut.Scope == TShortcutScope::Outline;
        auto* key = new QShortcut(QKeySequence(shortcut.Keys),
                                  outline ? static_cast<QWidget*>(form_.Tree) : &form_);
        key->setContext(outline ? Qt::WidgetShortcut : Qt::WindowShortcut);
        key->setAutoRepeat(outline);
        connect(key, &QShortcut::activated, this,
                [this, command = shortcut.Command] { Run(command); });
    }
}

void TKeyboardShortcuts::Run(TKeyCommand command) {
    using K = TKeyCommand;
    switch (command) {
        case K::NewFile: form_.RunMenuCommand(TMenuCommand::NewFile); break;
        case K::OpenFile: form_.RunMenuCommand(TMenuCommand::OpenFile); break;
        case K::SaveFile: form_.RunMenuCommand(TMenuCommand::SaveFile); break;
        case K::SaveFileAs: form_.RunMenuCommand(TMenuCommand::SaveFileAs); break;
        case K::Find: form_.RunMenuCommand(TMenuCommand::Find); break;
        case K::Replace: form_.RunMenuCommand(TMenuCommand::Replace); break;
        case K::AddItem: form_.RunMenuCommand(TMenuCommand::AddItem); break;
        case K::AddChildItem: form_.RunMenuCommand(TMenuCommand::AddChildItem); break;
        case K::DeleteItem: form_.RunMenuCommand(TMenuCommand::DeleteItem); break;
        default: form_.Errors().Run([&] { RunOnForm(command); }); break;
    }
}

void TKeyboardShortcuts::RunOnForm(TKeyCommand command) {
    TItemCommands& items = form_.Items();
    switch (command) {
        case TKeyCommand::FindNext: form_.FindNextMenuClick(); break;
        case TKeyCommand::FindInOutline: form_.FindInOutlineMenuClick(); break;
        case TKeyCommand::SwitchFocus: SwitchFocus(); break;
        case TKeyCommand::OpenFileMenu: form_.SystemMenuOpen(TMenuTables::kFile); break;
        case TKeyCommand::OpenEditMenu: form_.SystemMenuOpen(TMenuTables::kEdit); break;
        case TKeyCommand::OpenViewMenu: form_.SystemMenuOpen(TMenuTables::kView); break;
        case TKeyCommand::OpenOptionMenu: form_.SystemMenuOpen(TMenuTables::kOption); break;
        case TKeyCommand::OpenHelpMenu: form_.SystemMenuOpen(TMenuTables::kHelp); break;
        case TKeyCommand::MoveUpItem: items.MoveUpItem(); break;
        case TKeyCommand::MoveDownItem: items.MoveDownItem(); break;
        case TKeyCommand::MoveLeftItem: items.MoveLeftItem(); break;
        case TKeyCommand::MoveRightItem: items.MoveRightItem(); break;
        case TKeyCommand::UndoOutline: items.Undo(); break;
        case TKeyCommand::RedoOutline: items.Redo(); break;
        default: break;  // the menus' commands go through RunMenuCommand
    }
}

void TKeyboardShortcuts::SwitchFocus() {
    QWidget* focus = QApplication::focusWidget();
    const bool inOutline = focus && (focus == form_.Tree || form_.Tree->isAncestorOf(focus));
    if (inOutline)
        form_.Editor->setFocus(Qt::ShortcutFocusReason);
    else
        form_.Tree->setFocus(Qt::ShortcutFocusReason);
}

bool TKeyboardShortcuts::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && IsAltCharacter(static_cast<const QKeyEvent*>(event)) &&
        IsTextInput(watched))
        return true;  // no shortcut took it: an Alt combination never types
    switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::WindowDeactivate:
            if (InMainWindow(watched)) WatchAltTap(event);
            break;
        default: break;
    }
    return QObject::eventFilter(watched, event);
}

// A key that a shortcut takes arrives only as its ShortcutOverride, so that event counts
// as the key's press.
void TKeyboardShortcuts::WatchAltTap(QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
            if (const QKeyEvent* key = FreshKey(event)) altTap_.KeyPress(key->key());
            break;
        case QEvent::KeyRelease:
            if (const QKeyEvent* key = FreshKey(event); key && altTap_.KeyRelease(key->key()))
                Run(TKeyCommand::OpenFileMenu);
            break;
        case QEvent::InputMethod:
            altTap_.InputMethod(!static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty());
            break;
        default: altTap_.Interrupt(); break;
    }
}

bool TKeyboardShortcuts::InMainWindow(QObject* watched) const {
    return watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == &form_;
}
