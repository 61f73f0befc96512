#include "ui/TSystemMenuForm.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "platform/TWindowSystem.h"
#include "settings/TSettingsList.h"
#include "skin/TSkinLayout.h"
#include "skin/TSkinPainter.h"
#include "ui/TContextMenuTable.h"
#include "ui/TDropDownMenus.h"
#include "ui/TMenuAccessible.h"
#include "ui/TMenuGeometry.h"
#include "ui/TMenuHost.h"
#include "ui/TMenuKeyboard.h"

namespace {

constexpr int kFrameWidth = 3;

// A borderless window placed by the program; where the compositor places the windows,
// a popup of the main window, placed relative to it.
Qt::WindowFlags MenuWindowFlags() {
    const Qt::WindowType kind = TWindowSystem().PlacesOwnWindows() ? Qt::Window : Qt::Popup;
    return kind | Qt::FramelessWindowHint;
}

QFont MenuFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    return font;
}

}  // namespace

const QColor& TSystemMenuForm::CaptionGrey() {
    static const QColor grey(128, 128, 128);
    return grey;
}

const QColor& TSystemMenuForm::HighlightRed() {
    static const QColor red(255, 0, 0);
    return red;
}

TSystemMenuForm::TSystemMenuForm(TMenuHost& host, TDropDownMenus& owner)
    : QWidget(host.MenuOwnerWindow(), MenuWindowFlags()), host_(host), owner_(owner) {
    setObjectName(QStringLiteral("SystemMenuForm"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setFont(MenuFont());
}

void TSystemMenuForm::SystemMenuOpen(int menuNumber) {
    table_ = TMenuTables::Build(menuNumber, host_.MenuSettings());
    hoverCode_ = TMenuCommand::None;
    if (table_.MenuNumber == 0) return;
    QWidget* owner = host_.MenuOwnerWindow();
    const QPoint origin = owner ? owner->mapToGlobal(QPoint(0, 0)) : QPoint();
    ShowAt(TMenuGeometry::PlaceOf(table_.MenuNumber, origin));
}

void TSystemMenuForm::ContextMenuOpen(const QRect& anchor) {
    table_ = TContextMenuTable::Build(host_.MenuSettings());
    hoverCode_ = TMenuCommand::None;
    const QScreen* screen = QGuiApplication::screenAt(anchor.topLeft());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect room =
        screen ? screen->availableGeometry() : QRect(anchor.bottomLeft(), table_.Size);
    ShowAt(TMenuGeometry::PlaceAt(anchor, table_.Size, room));
}

void TSystemMenuForm::ShowAt(const QPoint& topLeft) {
    setFixedSize(table_.Size);
    move(topLeft);
    show();
    raise();
    activateWindow();
    DrawMenu();
    if (QAccessible::isActive()) {
        QAccessibleEvent opened(this, QAccessible::PopupMenuStart);
        QAccessible::updateAccessibility(&opened);
    }
}

void TSystemMenuForm::FormMouseMove(const QPoint& pointer) {
    Highlight(TMenuGeometry::EntryAt(table_, pointer));
}

void TSystemMenuForm::Highlight(const TMenuEntry* entry) {
    TMenuCommand newCode = TMenuCommand::None;
    if (entry) {
        DrawCaption(*entry, HighlightRed());
        if (!entry->Hint.isEmpty()) host_.HintOut(entry->Hint);
        newCode = entry->Command;
    } else {
        host_.HintOut(QString());
    }
    if (newCode == hoverCode_) return;
    if (const TMenuEntry* previous = table_.Find(hoverCode_)) DrawCaption(*previous, CaptionGrey());
    hoverCode_ = newCode;
    TMenuAccessible::EntryHighlighted(this);
}

void TSystemMenuForm::FormMouseDown() {
    const TMenuEntry* entry = table_.Find(hoverCode_);
    if (!entry) return;
    const TMenuCommand command = entry->Command;
    const TMenuClosing closing = TMenuTables::ClosingOf(command);
    TMenuHost& host = host_;
    const QPointer<TSystemMenuForm> self(this);
    if (closing != TMenuClosing::RunThenClose) CloseMenu();
    host.RunMenuCommand(command);
    if (closing != TMenuClosing::HideRun && self) CloseMenu();
}

bool TSystemMenuForm::FormKeyDown(int key) {
    switch (TMenuKeyboard::KeyOf(key)) {
        case TMenuKey::PreviousEntry: HighlightNeighbour(-1); return true;
        case TMenuKey::NextEntry: HighlightNeighbour(1); return true;
        case TMenuKey::PreviousMenu: OpenNeighbour(-1); return true;
        case TMenuKey::NextMenu: OpenNeighbour(1); return true;
        case TMenuKey::Choose: Choose(); return true;
        case TMenuKey::Close:
            CloseMenu();
            ReturnKeyboard();
            return true;
        case TMenuKey::None: return false;
    }
    return false;
}

void TSystemMenuForm::HighlightNeighbour(int step) {
    Highlight(table_.Find(TMenuKeyboard::NeighbourEntry(table_, hoverCode_, step)));
}

bool TSystemMenuForm::OnMenuBand() const { return table_.MenuNumber != TMenuTables::kContext; }

void TSystemMenuForm::OpenNeighbour(int step) {
    if (!OnMenuBand()) return;
    owner_.Open(TMenuKeyboard::NeighbourMenu(table_.MenuNumber, step));
}

bool TSystemMenuForm::Checked(const TMenuEntry& entry) const {
    return !entry.ToggleKey.isEmpty() &&
           entry.Caption(host_.MenuSettings())
               .startsWith(TMenuTables::ToggleMark(QStringLiteral("1")));
}

void TSystemMenuForm::ChooseEntry(TMenuCommand command) {
    const TMenuEntry* entry = table_.Find(command);
    if (!entry) return;
    Highlight(entry);
    Choose();
}

void TSystemMenuForm::Choose() {
    const TMenuEntry* entry = table_.Find(hoverCode_);
    if (!entry) return;
    const bool showsModelessDialog =
        TMenuTables::ClosingOf(entry->Command) == TMenuClosing::HideRun;
    const QWidgetList before = OtherWindowsShown();
    const QPointer<TSystemMenuForm> self(this);
    FormMouseDown();
    if (!self || showsModelessDialog) return;
    for (QWidget* window : OtherWindowsShown())
        if (!before.contains(window)) return;  // the command brought up a window of its own
    ReturnKeyboard();
}

QWidgetList TSystemMenuForm::OtherWindowsShown() const {
    QWidgetList shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        const bool menu = qobject_cast<TSystemMenuForm*>(window) != nullptr;
        if (!menu && window != host_.MenuOwnerWindow() && window->isVisible()) shown << window;
    }
    return shown;
}

void TSystemMenuForm::ReturnKeyboard() {
    QWidget* owner = host_.MenuOwnerWindow();
    if (owner && owner->isVisible()) owner->activateWindow();
}

void TSystemMenuForm::FormDeactivate() { CloseMenu(); }

void TSystemMenuForm::CloseMenu() {
    if (isVisible() && QAccessible::isActive()) {
        QAccessibleEvent closed(this, QAccessible::PopupMenuEnd);
        QAccessible::updateAccessibility(&closed);
    }
    hide();
}

void TSystemMenuForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, surface_);
}

void TSystemMenuForm::mouseMoveEvent(QMouseEvent* event) {
    // A popup receives the pointer's moves over the main window too: they go on to the
    // main window, so that the open menu follows the pointer along the menu band.
    QWidget* owner = host_.MenuOwnerWindow();
    if (windowType() == Qt::Popup && owner && !rect().contains(event->position().toPoint())) {
        const QPointF global = event->globalPosition();
        QMouseEvent moved(QEvent::MouseMove, owner->mapFromGlobal(global), global, Qt::NoButton,
                          event->buttons(), event->modifiers());
        QCoreApplication::sendEvent(owner, &moved);
        return;
    }
    FormMouseMove(event->position().toPoint());
}

void TSystemMenuForm::mousePressEvent(QMouseEvent*) {
    // The context menu gives the keyboard back to where it was opened from whichever way
    // an entry is chosen.
    if (OnMenuBand())
        FormMouseDown();
    else
        Choose();
}

void TSystemMenuForm::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(event->key())) QWidget::keyPressEvent(event);
}

void TSystemMenuForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !isActiveWindow() && isVisible())
        FormDeactivate();
}

void TSystemMenuForm::DrawMenu() {
    surface_ =
        TSkinPainter::NewSurface(table_.Size.width(), table_.Size.height(), devicePixelRatioF());
    DrawFrame();
    DrawSeparators();
    for (const TMenuEntry& entry : table_.Entries) DrawCaption(entry, CaptionGrey());
}

// A white panel inside a 3-pixel black frame whose pen is centred on the outline
// (2, 2)-(width - 2, height - 2): the frame covers pixels 1 to 3 and width - 3 to
// width - 1; the outermost line on the left and the top keeps the window's colour.
void TSystemMenuForm::DrawFrame() {
    surface_.fill(palette().color(QPalette::Window));
    QPainter painter(&surface_);
    const int w = table_.Size.width();
    const int h = table_.Size.height();
    painter.fillRect(QRect(1, 1, w - 1, h - 1), Qt::black);
    const int inner = 1 + kFrameWidth;
    painter.fillRect(QRect(inner, inner, w - 2 * kFrameWidth - 1, h - 2 * kFrameWidth - 1),
                     Qt::white);
}

void TSystemMenuForm::DrawSeparators() {
    QPainter painter(&surface_);
    painter.setPen(QPen(CaptionGrey(), 1));
    for (const TMenuSeparator& separator : table_.Separators)
        painter.drawLine(separator.Left, separator.Y, separator.Right - 1, separator.Y);
}

void TSystemMenuForm::DrawCaption(const TMenuEntry& entry, const QColor& color) {
    if (surface_.isNull()) return;
    QPainter painter(&surface_);
    const QRect inside(1 + kFrameWidth, 1 + kFrameWidth, table_.Size.width() - 2 * kFrameWidth - 1,
                       table_.Size.height() - 2 * kFrameWidth - 1);
    painter.setClipRect(inside);
    painter.setFont(font());
    painter.setPen(color);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(Qt::white);
    const QRect place(TMenuGeometry::kCaptionX, entry.Y,
                      inside.right() - TMenuGeometry::kCaptionX + 1, inside.bottom() - entry.Y + 1);
    painter.drawText(place, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                     entry.Caption(host_.MenuSettings()));
    painter.end();
    update(place);
}
