#include "app/TWindowStates.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "settings/TSettingsList.h"

TWindowStates::TWindowStates(QWidget& window, TSettingsList& settings, TWindowSystem windows)
    : window_(window), settings_(settings), windows_(std::move(windows)) {}

QRect TWindowStates::WorkArea() const {
    const QScreen* screen = window_.screen() ? window_.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : window_.geometry();
}

QRect TWindowStates::NormalPlace() const {
    if (!window_.isMaximized() && !window_.isMinimized()) return window_.geometry();
    if (normalPlace_.isValid()) return normalPlace_;
    return window_.normalGeometry().isValid() ? window_.normalGeometry() : window_.geometry();
}

void TWindowStates::WindowMaximize() {
    if (!window_.isMaximized() && !window_.isMinimized()) normalPlace_ = window_.geometry();
    // Setting the geometry clears the maximised state, so it comes first.
    if (windows_.PlacesOwnWindows()) window_.setGeometry(WorkArea());
    window_.setWindowState((window_.windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
    window_.update();
}

bool TWindowStates::LiesMaximized() const {
    // Where the compositor places the windows, a maximised one is wherever it puts it.
    if (!windows_.PlacesOwnWindows()) return window_.isMaximized();
    return window_.geometry() == WorkArea();
}

bool TWindowStates::StrayedFromMaximized() const {
    return settings_.Value(u"Maximized") == QStringLiteral("1") && !LiesMaximized();
}

void TWindowStates::ToggleMaximized() {
    if (window_.isMaximized()) {
        settings_.SetValue(u"Maximized", QStringLiteral("0"));
        window_.setWindowState(window_.windowState() & ~Qt::WindowMaximized);
        if (normalPlace_.isValid()) window_.setGeometry(normalPlace_);
    } else {
        settings_.SetValue(u"Maximized", QStringLiteral("1"));
        WindowMaximize();
    }
}
