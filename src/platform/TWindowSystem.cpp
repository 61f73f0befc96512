#include "platform/TWindowSystem.h"

#include <QGuiApplication>

TWindowSystem::TWindowSystem(QString platformName) : platformName_(std::move(platformName)) {
    if (platformName_.isEmpty()) platformName_ = QGuiApplication::platformName();
}

// Qt's Wayland platforms are "wayland", "wayland-egl", "wayland-brcm" and the like.
bool TWindowSystem::PlacesOwnWindows() const {
    return !platformName_.startsWith(QLatin1String("wayland"));
}
