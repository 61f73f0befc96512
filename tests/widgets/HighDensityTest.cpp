// The main window and its menus on a screen of twice the pixel density. These tests run
// in their own ctest entry with QT_SCALE_FACTOR=2 and skip at any other ratio.

#include "support/SkinnedWindowFixture.h"
#include "support/TMainFormProbe.h"
#include "ui/TDropDownMenus.h"
#include "ui/TSystemMenuForm.h"

namespace {

QImage Rgb32(const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); }

class HighDensity : public SkinnedWindowFixture {
  protected:
    void SetUp() override {
        SkinnedWindowFixture::SetUp();
        const QDir dense(QStringLiteral(HEDGEROW_SKIN_DIR "/2x"));
        QDir().mkpath(dir.File("Data/2x"));
        for (const QString& name : dense.entryList({QStringLiteral("*.bmp")}, QDir::Files))
            QFile::copy(dense.filePath(name), dir.File("Data/2x/" + name));
    }
    void TearDown() override {
        if (form && Probe(*form).Menus().Current()) Probe(*form).Menus().Current()->close();
        SkinnedWindowFixture::TearDown();
    }
};

TEST_F(HighDensity, SkinAndMenusAreDrawnWithTheScreensDevicePixels) {
    TMainForm& main = Shown();
    if (main.devicePixelRatioF() != 2) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
    const QImage window = main.grab().toImage();
    ASSERT_EQ(window.size(), main.size() * 2);
    // The item button shows its 2x bitmap device pixel for device pixel: sharp edges.
    const QImage brother(dir.File("Data/2x/Button_brother_Normal.bmp"));
    EXPECT_EQ(Rgb32(window.copy(QRect(QPoint(2 * 20, 2 * 140), brother.size()))), Rgb32(brother));

    // The menu's 3-pixel frame covers window pixels 1 to 3: device pixels 2 to 7.
    main.Commands().Run(TCommand::OpenFileMenu);
    ASSERT_TRUE(Probe(main).Menus().MenuVisible());
    TSystemMenuForm& shown = *Probe(main).Menus().Current();
    const QImage menu = shown.grab().toImage();
    ASSERT_EQ(menu.size(), shown.size() * 2);
    const int y = menu.height() / 2;
    for (int x = 2; x <= 7; ++x) EXPECT_EQ(menu.pixelColor(x, y), QColor(Qt::black)) << x;
    EXPECT_EQ(menu.pixelColor(8, y), QColor(Qt::white));
}

}  // namespace
