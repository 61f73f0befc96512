#include <gtest/gtest.h>

#include "platform/TWindowSystem.h"

namespace {

TEST(WindowSystem, OnlyWaylandKeepsTheProgramFromPlacingItsWindows) {
    for (const char* name : {"wayland", "wayland-egl", "wayland-brcm"})
        EXPECT_FALSE(TWindowSystem(QLatin1String(name)).PlacesOwnWindows()) << name;
    for (const char* name : {"xcb", "offscreen", "windows"})
        EXPECT_TRUE(TWindowSystem(QLatin1String(name)).PlacesOwnWindows()) << name;
}

}  // namespace
