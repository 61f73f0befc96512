#include "app/TKeyboardShortcuts.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextEdit>

#include "app/TCommandRunner.h"
#include "app/TMainForm.h"
#include "app/TOutlineView.h"
#include "ui/TCommandTable.h"

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
    return (modifiers & Qt::AltModifier) &&
           !(modifiers & (Qt::ControlModifier | Qt::MetaModifier)) && !key->text().isEmpty() &&
           key->text().at(0).isPrint();
}

bool IsTextInput(const QObject* watched) {
    return qobject_cast<const QLineEdit*>(watched) ||
           qobject_cast<const QPlainTextEdit*>(watched) || qobject_cast<const QTextEdit*>(watched);
}

}  // namespace

TKeyboardShortcuts::TKeyboardShortcuts(TMainForm& form) : form_(form) {
    CreateShortcuts();
    qApp->installEventFilter(this);
}

TKeyboardShortcuts::~TKeyboardShortcuts() { qApp->removeEventFilter(this); }

void TKeyboardShortcuts::CreateShortcuts() {
    for (const TCommandRow& row : TCommandTable::All()) {
        const bool outline = row.Scope == TShortcutScope::Outline;
        for (const QKeyCombination keys : row.Keys) {
            auto* key = new QShortcut(QKeySequence(keys),
                                      outline ? static_cast<QWidget*>(form_.Tree) : &form_);
            key->setContext(outline ? Qt::WidgetShortcut : Qt::WindowShortcut);
            key->setAutoRepeat(outline);
            connect(key, &QShortcut::activated, this,
                    [this, id = row.Id] { form_.Commands().Run(id); });
        }
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
                form_.Commands().Run(TCommand::OpenFileMenu);
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
