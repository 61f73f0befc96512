#pragma once

#include <QImage>

#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"

// A main window shown at 800 x 600 at the top-left corner, moved over and clicked at
// window coordinates the way the pointer would.
class SkinnedWindowFixture : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "AutoLoad=0", "FormTop=0", "FormLeft=0", "FormHeight=600",
                       "FormWidth=800", "TreeWidth=200", "Maximized=0"});
    }
    TMainForm& Shown() {
        TMainForm& main = StartShown();
        main.repaint();
        return main;
    }
    void Move(int x, int y) { Probe(*form).Frame().FormMouseMove(x, y); }
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
        Move(x, y);
        Probe(*form).Frame().FormMouseDown(button, x, y);
        Probe(*form).Frame().FormMouseUp(button);
    }
    // A paint of the window would run a full drawing; what it shows is its surface.
    QColor PixelOfWindow(const QPoint& at) { return Probe(*form).Skin().Surface().pixelColor(at); }
    QColor PixelOfSkin(const QString& file, const QPoint& at) {
        return QImage(dir.File("Data/" + file)).pixelColor(at);
    }
};
