#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QtMath>
#include <map>

#include "platform/AppError.h"
#include "skin/TSkinLayout.h"
#include "skin/TSkinPainter.h"
#include "support/TempDir.h"

namespace {

// Sizes of the hand-made skin: the sizes the layout assumes. The link tabs are
// 15 wide so that they reach over the border, which they are drawn after.
const std::map<QString, QSize>& HandMadeSizes() {
    static const std::map<QString, QSize> sizes = [] {
        std::map<QString, QSize> s;
        s[QStringLiteral("Back.bmp")] = QSize(100, 100);
        s[QStringLiteral("Title.bmp")] = QSize(140, 60);
        s[QStringLiteral("TitleBar_Active.bmp")] = QSize(300, 24);
        s[QStringLiteral("TitleBar_Deactive.bmp")] = QSize(300, 24);
        for (const char* b : {"Minimize", "Maximize", "Normalize", "Close"}) {
            s[QStringLiteral("SystemButton_%1.bmp").arg(QLatin1String(b))] = QSize(30, 30);
        }
        const std::pair<const char*, int> menus[] = {
            {"file", 32}, {"edit", 42}, {"view", 46}, {"option", 68}, {"help", 46}};
        for (const auto& [word, width] : menus) {
            for (const char* look : {"Normal", "Active"}) {
                s[QStringLiteral("SystemMenu_%1_%2.bmp")
                      .arg(QLatin1String(word), QLatin1String(look))] = QSize(width, 24);
            }
        }
        for (const char* stem : {"NewFile", "OpenFile", "SaveFile", "PasteBrother", "PasteChild",
                                 "Cut", "Copy", "Paste", "Undo"}) {
            for (const char* look : {"Normal", "Active"}) {
                s[QStringLiteral("Item_%1_%2.bmp").arg(QLatin1String(stem), QLatin1String(look))] =
                    QSize(50, 50);
            }
        }
        for (const char* stem : {"up", "down", "left", "right"}) {
            for (const char* look : {"Normal", "Active"}) {
                s[QStringLiteral("Item_%1_%2.bmp").arg(QLatin1String(stem), QLatin1String(look))] =
                    QSize(30, 30);
            }
        }
        for (const char* stem : {"brother", "child", "delete"}) {
            for (const char* look : {"Normal", "Active", "Click"}) {
                s[QStringLiteral("Button_%1_%2.bmp")
                      .arg(QLatin1String(stem), QLatin1String(look))] = QSize(90, 30);
            }
        }
        for (const char* look : {"Normal", "Active"}) {
            s[QStringLiteral("e-mail_%1.bmp").arg(QLatin1String(look))] = QSize(15, 30);
            s[QStringLiteral("homepage_%1.bmp").arg(QLatin1String(look))] = QSize(15, 60);
        }
        s[QStringLiteral("Shadow_TopRight.bmp")] = QSize(20, 20);
        s[QStringLiteral("Shadow_Right.bmp")] = QSize(20, 10);
        s[QStringLiteral("Shadow_BottomLeft.bmp")] = QSize(20, 20);
        s[QStringLiteral("Shadow_Bottom.bmp")] = QSize(10, 20);
        s[QStringLiteral("Shadow_BottomRight.bmp")] = QSize(20, 20);
        for (const char* piece :
             {"TopLeft", "TopRight", "BottomLeft", "BottomRight", "Vertical", "Horizontal"}) {
            s[QStringLiteral("RoundFrame_%1.bmp").arg(QLatin1String(piece))] = QSize(10, 10);
        }
        return s;
    }();
    return sizes;
}

// A colour of its own for every hand-made file.
QRgb ColourOf(const QString& file) {
    int index = 0;
    for (const auto& [name, size] : HandMadeSizes()) {
        if (name == file) break;
        ++index;
    }
    return qRgb(10 + index * 3, 200 - index * 2, 60 + index);
}

// The background tile encodes its own coordinates, so tiling can be checked.
QRgb BackAt(int x, int y) { return qRgb(x % 100 + 100, y % 100 + 100, 7); }

class SkinPainterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const auto& [name, size] : HandMadeSizes()) {
            QImage img(size, QImage::Format_RGB888);
            if (name == QStringLiteral("Back.bmp")) {
                for (int y = 0; y < 100; ++y) {
                    for (int x = 0; x < 100; ++x) img.setPixel(x, y, BackAt(x, y));
                }
            } else {
                img.fill(ColourOf(name));
            }
            ASSERT_TRUE(img.save(dir.File(name), "BMP")) << name.toStdString();
        }
        layout = TSkinLayout::LayoutControls(800, 600, 200);
    }

    QImage Compose(TWindowState state = TWindowState::Normal, bool active = true) {
        TSkinPainter painter(dir.Path());
        TSkinScene scene{800, 600, active, state, layout.Tree, layout.Editor};
        return painter.Compose(scene);
    }

    TempDir dir;
    TControlLayout layout;
};

QRgb Px(const QImage& img, int x, int y) { return img.pixel(x, y) & 0xFFFFFF; }
QRgb Rgb(QRgb c) { return c & 0xFFFFFF; }

}  // namespace

TEST_F(SkinPainterTest, BandsBorderAndBackground) {
    const QImage img = Compose();
    ASSERT_EQ(img.size(), QSize(800, 600));
    EXPECT_EQ(Px(img, 400, 0), 0u);
    EXPECT_EQ(Px(img, 400, 39), 0u);
    EXPECT_EQ(Px(img, 500, 40), Rgb(qRgb(77, 77, 77)));
    EXPECT_EQ(Px(img, 500, 59), Rgb(qRgb(77, 77, 77)));
    // Three black lines on every side, background right inside them.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Px(img, i, 300), 0u) << i;
        EXPECT_EQ(Px(img, 799 - i, 300), 0u) << i;
        EXPECT_EQ(Px(img, 400, 599 - i), 0u) << i;
    }
    EXPECT_EQ(Px(img, 3, 300), Rgb(BackAt(3, 300)));
    EXPECT_EQ(Px(img, 796, 300), Rgb(BackAt(796, 300)));
    EXPECT_EQ(Px(img, 400, 596), Rgb(BackAt(400, 596)));
    // Tiles on the 100-pixel grid, also under the controls and the hint line.
    EXPECT_EQ(Px(img, 123, 456), Rgb(BackAt(123, 456)));
    EXPECT_EQ(Px(img, 250, 300), Rgb(BackAt(250, 300)));
    EXPECT_EQ(Px(img, 600, 590), Rgb(BackAt(600, 590)));
}

TEST_F(SkinPainterTest, EveryButtonInItsNormalLookAtItsPlace) {
    const QImage img = Compose();
    for (const TSkinElement& e : TSkinLayout::Elements(800, 600, TWindowState::Normal)) {
        const QString file = TSkinLayout::LookFile(e, TSkinLook::Normal);
        const QSize size = HandMadeSizes().at(file);
        const QPoint first = e.DrawnAt;
        const QPoint last = e.DrawnAt + QPoint(size.width() - 1, size.height() - 1);
        EXPECT_EQ(Px(img, first.x(), first.y()), Rgb(ColourOf(file))) << file.toStdString();
        EXPECT_EQ(Px(img, last.x(), last.y()), Rgb(ColourOf(file))) << file.toStdString();
    }
}

TEST_F(SkinPainterTest, FixedPiecesAndShadows) {
    const QImage img = Compose();
    auto colour = [](const char* f) { return Rgb(ColourOf(QLatin1String(f))); };
    EXPECT_EQ(Px(img, 650, 60), colour("Title.bmp"));
    EXPECT_EQ(Px(img, 789, 119), colour("Title.bmp"));
    EXPECT_EQ(Px(img, 10, 8), colour("TitleBar_Active.bmp"));
    EXPECT_EQ(Px(img, 10, 130), colour("RoundFrame_TopLeft.bmp"));
    EXPECT_EQ(Px(img, 129, 269), colour("RoundFrame_BottomRight.bmp"));
    EXPECT_EQ(Px(img, 125, 255), colour("RoundFrame_Vertical.bmp"));
    EXPECT_EQ(Px(img, 115, 135), colour("RoundFrame_Horizontal.bmp"));
    // Outline: right edge at 340, bottom at 560; editor right edge at 770.
    EXPECT_EQ(Px(img, 340, 130), colour("Shadow_TopRight.bmp"));
    EXPECT_EQ(Px(img, 359, 150), colour("Shadow_Right.bmp"));
    EXPECT_EQ(Px(img, 345, 559), colour("Shadow_Right.bmp"));
    EXPECT_EQ(Px(img, 140, 560), colour("Shadow_BottomLeft.bmp"));
    EXPECT_EQ(Px(img, 160, 579), colour("Shadow_Bottom.bmp"));
    EXPECT_EQ(Px(img, 339, 565), colour("Shadow_Bottom.bmp"));
    EXPECT_EQ(Px(img, 340, 560), colour("Shadow_BottomRight.bmp"));
    EXPECT_EQ(Px(img, 770, 300), colour("Shadow_Right.bmp"));
    EXPECT_EQ(Px(img, 600, 570), colour("Shadow_Bottom.bmp"));
    EXPECT_EQ(Px(img, 775, 575), colour("Shadow_BottomRight.bmp"));
    EXPECT_EQ(Px(img, 600, 580), Rgb(BackAt(600, 580)));
}

TEST_F(SkinPainterTest, LaterStepsCoverEarlierOnes) {
    const QImage img = Compose();
    auto colour = [](const char* f) { return Rgb(ColourOf(QLatin1String(f))); };
    // Menu titles start on the title band's lowest rows, after both bands.
    EXPECT_EQ(Px(img, 30, 34), colour("SystemMenu_file_Normal.bmp"));
    EXPECT_EQ(Px(img, 310, 57), colour("SystemMenu_help_Normal.bmp"));
    // The border runs over the menu band and the title band ...
    EXPECT_EQ(Px(img, 1, 50), 0u);
    // ... and the link tabs run over the border.
    EXPECT_EQ(Px(img, 799, 470), colour("e-mail_Normal.bmp"));
    EXPECT_EQ(Px(img, 799, 579), colour("homepage_Normal.bmp"));
    EXPECT_EQ(Px(img, 799, 580), 0u);
}

TEST_F(SkinPainterTest, WindowStateChoosesTheMiddleButton) {
    auto colour = [](const char* f) { return Rgb(ColourOf(QLatin1String(f))); };
    EXPECT_EQ(Px(Compose(TWindowState::Normal), 725, 5), colour("SystemButton_Maximize.bmp"));
    EXPECT_EQ(Px(Compose(TWindowState::Maximized), 725, 5), colour("SystemButton_Normalize.bmp"));
    const QImage minimised = Compose(TWindowState::Minimized);
    EXPECT_EQ(Px(minimised, 725, 5), 0u);
    EXPECT_EQ(Px(minimised, 690, 5), colour("SystemButton_Minimize.bmp"));
}

TEST_F(SkinPainterTest, TitleBarFollowsWhetherTheWindowIsActive) {
    EXPECT_EQ(Px(Compose(TWindowState::Normal, false), 20, 20),
              Rgb(ColourOf(QStringLiteral("TitleBar_Deactive.bmp"))));
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    TSkinPainter(dir.Path()).DrawTitleBar(p, true);
    p.end();
    EXPECT_EQ(Px(img, 10, 8), Rgb(ColourOf(QStringLiteral("TitleBar_Active.bmp"))));
    EXPECT_EQ(Px(img, 9, 8), Rgb(qRgb(255, 255, 255)));
}

TEST_F(SkinPainterTest, FullDrawingReadsFortyFiveFiles) {
    TSkinPainter painter(dir.Path());
    painter.Compose({800, 600, true, TWindowState::Normal, layout.Tree, layout.Editor});
    EXPECT_EQ(painter.FilesRead(), 45);
}

TEST_F(SkinPainterTest, MissingFileFailsWithItsFullPath) {
    ASSERT_TRUE(QFile::remove(dir.File(QStringLiteral("Item_Cut_Normal.bmp"))));
    TSkinPainter painter(dir.Path());
    try {
        painter.Compose({800, 600, true, TWindowState::Normal, layout.Tree, layout.Editor});
        FAIL() << "no failure";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Text(), QStringLiteral("ファイル %1 は開けません")
                                .arg(QDir::toNativeSeparators(dir.File("Item_Cut_Normal.bmp"))));
    }
    // The drawing stopped at the sixth button: nothing after it was read.
    EXPECT_EQ(painter.FilesRead(), 1 + 1 + 10 + 6);
}

TEST_F(SkinPainterTest, UnreadableBitmapFails) {
    dir.Write(QStringLiteral("Title.bmp"), QByteArray("this is not a bitmap"));
    TSkinPainter painter(dir.Path());
    try {
        painter.Compose({800, 600, true, TWindowState::Normal, layout.Tree, layout.Editor});
        FAIL() << "no failure";
    } catch (const AppError& e) {
        EXPECT_EQ(e.Text(), QStringLiteral("ビットマップイメージが不正です"));
    }
}

TEST_F(SkinPainterTest, FileNamesMatchRegardlessOfCase) {
    ASSERT_TRUE(QFile::rename(dir.File(QStringLiteral("TitleBar_Deactive.bmp")),
                              dir.File(QStringLiteral("titlebar_DEACTIVE.BMP"))));
    ASSERT_TRUE(
        QFile::rename(dir.File(QStringLiteral("Back.bmp")), dir.File(QStringLiteral("BACK.bmp"))));
    TSkinPainter painter(dir.Path());
    EXPECT_EQ(painter.PathOf(QStringLiteral("TitleBar_Deactive.bmp")),
              dir.File(QStringLiteral("titlebar_DEACTIVE.BMP")));
    const QImage img =
        painter.Compose({800, 600, false, TWindowState::Normal, layout.Tree, layout.Editor});
    EXPECT_EQ(Px(img, 10, 8), Rgb(ColourOf(QStringLiteral("TitleBar_Deactive.bmp"))));
    EXPECT_EQ(Px(img, 450, 450), Rgb(BackAt(450, 450)));
}

TEST_F(SkinPainterTest, ElementLooksAndHintBand) {
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    TSkinPainter painter(dir.Path());
    painter.DrawElement(p, SkinCode::ButtonDelete, TSkinLook::Click, 800, 600);
    painter.DrawElement(p, SkinCode::Undo, TSkinLook::Active, 800, 600);
    painter.DrawElement(p, SkinCode::Homepage, TSkinLook::Active, 800, 600);
    painter.DrawElement(p, SkinCode::Splitter, TSkinLook::Active, 800, 600);  // nothing
    painter.DrawHintBand(p, 800, 600);
    p.end();
    EXPECT_EQ(painter.FilesRead(), 4);
    EXPECT_EQ(Px(img, 20, 220), Rgb(ColourOf(QStringLiteral("Button_delete_Click.bmp"))));
    EXPECT_EQ(Px(img, 520, 70), Rgb(ColourOf(QStringLiteral("Item_Undo_Active.bmp"))));
    EXPECT_EQ(Px(img, 785, 520), Rgb(ColourOf(QStringLiteral("homepage_Active.bmp"))));
    // The hint band holds the tile's top 15 rows, stretched sideways.
    EXPECT_EQ(Px(img, 5, 580), Rgb(BackAt(0, 0)));
    EXPECT_EQ(qGreen(Px(img, 400, 594)), 100 + 14);
    EXPECT_EQ(Px(img, 4, 580), Rgb(qRgb(255, 255, 255)));
    EXPECT_EQ(Px(img, 795, 580), Rgb(qRgb(255, 255, 255)));
    EXPECT_EQ(Px(img, 400, 595), Rgb(qRgb(255, 255, 255)));
}

namespace {

// The same hand-made skin at twice the size in the subfolder 2x, each file a little
// darker than its ordinary one.
void WriteDenseSkin(const TempDir& dir, const QStringList& only = {}) {
    QDir().mkpath(dir.File("2x"));
    for (const auto& [name, size] : HandMadeSizes()) {
        if (!only.isEmpty() && !only.contains(name)) continue;
        QImage img(size * 2, QImage::Format_RGB888);
        img.fill(QColor(ColourOf(name)).darker(110));
        ASSERT_TRUE(img.save(dir.File("2x/" + name), "BMP")) << name.toStdString();
    }
}

QImage ComposeAt(const TempDir& dir, const TControlLayout& layout, qreal ratio) {
    TSkinPainter painter(dir.Path());
    painter.SetDevicePixelRatio(ratio);
    return painter.Compose({800, 600, true, TWindowState::Normal, layout.Tree, layout.Editor});
}

}  // namespace

TEST_F(SkinPainterTest, DenseScreensUseTheTwiceSizedBitmapsOrQuietlyTheOrdinaryOnes) {
    WriteDenseSkin(dir, {QStringLiteral("Button_brother_Normal.bmp")});
    const QImage img = ComposeAt(dir, layout, 2);
    ASSERT_EQ(img.size(), QSize(1600, 1200));
    EXPECT_EQ(img.devicePixelRatio(), 2);
    const QColor brother(ColourOf(QStringLiteral("Button_brother_Normal.bmp")));
    EXPECT_EQ(Px(img, 2 * 20, 2 * 140), Rgb(brother.darker(110).rgb()));
    EXPECT_EQ(Px(img, 2 * 110 - 1, 2 * 170 - 1), Rgb(brother.darker(110).rgb()));
    // No 2x file: the ordinary bitmap, enlarged.
    EXPECT_EQ(Px(img, 2 * 20, 2 * 180), Rgb(ColourOf(QStringLiteral("Button_child_Normal.bmp"))));
    // At a ratio of 1 the 2x files are not used.
    EXPECT_EQ(Px(ComposeAt(dir, layout, 1), 20, 140), Rgb(brother.rgb()));
}

TEST_F(SkinPainterTest, FractionalRatiosLeaveNoGapsBetweenPieces) {
    WriteDenseSkin(dir);
    for (qreal ratio : {1.25, 1.5, 1.75}) {
        const QImage img = ComposeAt(dir, layout, ratio);
        ASSERT_EQ(img.size(), QSize(qCeil(800 * ratio), qCeil(600 * ratio)));
        // The composite starts white; the skin has no white anywhere.
        int gaps = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) gaps += Px(img, x, y) == 0xFFFFFF;
        EXPECT_EQ(gaps, 0) << ratio;
    }
}

#ifdef HEDGEROW_SKINGEN

namespace {

// Runs the skin generator into a folder; true when it succeeded.
bool RunSkinGen(const QString& data, const QString& pictures) {
    QProcess gen;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    gen.setProcessEnvironment(env);
    gen.start(QString::fromUtf8(HEDGEROW_SKINGEN), {data, pictures});
    return gen.waitForFinished(60000) && gen.exitStatus() == QProcess::NormalExit &&
           gen.exitCode() == 0;
}

}  // namespace

TEST(SkinGenerated, AllSixtyEightFilesAre24BitBitmapsOfTheLayoutSizes) {
    TempDir dir;
    ASSERT_TRUE(RunSkinGen(dir.File("Data"), dir.File("pictures")));
    const QDir data(dir.File("Data"));
    EXPECT_EQ(data.entryList(QDir::Files).size(), 68);
    for (const auto& [name, size] : HandMadeSizes()) {
        const QByteArray bytes = dir.Read(QStringLiteral("Data/") + name);
        ASSERT_GE(bytes.size(), 54) << name.toStdString();
        EXPECT_EQ(bytes.left(2), QByteArray("BM")) << name.toStdString();
        EXPECT_EQ(quint8(bytes[28]), 24) << name.toStdString();  // bits per pixel
        const QImage img(dir.File(QStringLiteral("Data/") + name));
        if (name.startsWith(QStringLiteral("SystemMenu_"))) {
            // Drawn from y = 34 over the bands down to y = 60.
            EXPECT_EQ(img.width(), size.width()) << name.toStdString();
            EXPECT_EQ(img.height(), 26) << name.toStdString();
        } else if (name.startsWith(QStringLiteral("e-mail")) ||
                   name.startsWith(QStringLiteral("homepage"))) {
            EXPECT_LE(img.width(), 15);
            EXPECT_EQ(img.height(), size.height()) << name.toStdString();
        } else if (name.startsWith(QStringLiteral("TitleBar"))) {
            EXPECT_LE(img.height(), 26);  // between the top border and the menu titles
            EXPECT_LE(10 + img.width(), 800 - 110);
        } else {
            EXPECT_EQ(img.size(), size) << name.toStdString();
        }
    }
    for (const char* picture : {"item.png", "item_selected.png", "icon.png", "about.png"}) {
        EXPECT_FALSE(
            QImage(dir.File(QStringLiteral("pictures/") + QLatin1String(picture))).isNull())
            << picture;
    }
    EXPECT_EQ(QImage(dir.File("pictures/item.png")).size(), QSize(16, 16));
    EXPECT_EQ(QImage(dir.File("pictures/item_selected.png")).size(), QSize(16, 16));
    EXPECT_EQ(QImage(dir.File("pictures/about.png")).size(), QSize(190, 160));
}

TEST(SkinGenerated, GeneratorIsDeterministic) {
    TempDir first;
    TempDir second;
    ASSERT_TRUE(RunSkinGen(first.File("Data"), first.File("p")));
    ASSERT_TRUE(RunSkinGen(second.File("Data"), second.File("p")));
    for (const QString& name : QDir(first.File("Data")).entryList(QDir::Files)) {
        EXPECT_EQ(first.Read("Data/" + name), second.Read("Data/" + name)) << name.toStdString();
    }
}

TEST(SkinGenerated, ComposedWindowShowsBandsBorderAndCalmBackground) {
    TempDir dir;
    ASSERT_TRUE(RunSkinGen(dir.File("Data"), dir.File("pictures")));
    for (const QSize& window : {QSize(800, 600), QSize(1280, 1024)}) {
        const int W = window.width();
        const int H = window.height();
        const TControlLayout layout = TSkinLayout::LayoutControls(W, H, 200);
        TSkinPainter painter(dir.File("Data"));
        const QImage img =
            painter.Compose({W, H, true, TWindowState::Normal, layout.Tree, layout.Editor});
        EXPECT_EQ(Px(img, W / 2, 20), 0u);
        EXPECT_EQ(Px(img, W - 10, 50), Rgb(qRgb(77, 77, 77)));
        EXPECT_EQ(Px(img, 1, H / 2), 0u);
        EXPECT_EQ(Px(img, W - 3, H / 2), 0u);
        // The work surface is light: the background tile's average is bright.
        const QImage back(dir.File("Data/Back.bmp"));
        qint64 sum = 0;
        for (int y = 0; y < back.height(); ++y) {
            for (int x = 0; x < back.width(); ++x) sum += qGray(back.pixel(x, y));
        }
        EXPECT_GT(sum / (back.width() * back.height()), 220);
        // A tool button differs between its normal and active look.
        EXPECT_NE(QImage(dir.File("Data/Item_Cut_Normal.bmp")),
                  QImage(dir.File("Data/Item_Cut_Active.bmp")));
        EXPECT_NE(QImage(dir.File("Data/Button_child_Active.bmp")),
                  QImage(dir.File("Data/Button_child_Click.bmp")));
    }
}

TEST(SkinGenerated, TwiceSizedSkinIsDrawnNativelyAndShownSharpAtRatioTwo) {
    TempDir dir;
    ASSERT_TRUE(RunSkinGen(dir.File("Data"), dir.File("pictures")));
    const QDir dense(dir.File("Data/2x"));
    ASSERT_EQ(dense.entryList(QDir::Files).size(), 68);
    for (const QString& name : QDir(dir.File("Data")).entryList(QDir::Files)) {
        EXPECT_EQ(QImage(dense.filePath(name)).size(), QImage(dir.File("Data/" + name)).size() * 2)
            << name.toStdString();
    }
    const QImage one(dir.File("Data/Item_Cut_Active.bmp"));
    const QImage two(dense.filePath(QStringLiteral("Item_Cut_Active.bmp")));
    // Drawn at twice the resolution, not the ordinary bitmap enlarged.
    EXPECT_NE(two.convertToFormat(QImage::Format_RGB32),
              one.scaled(one.size() * 2).convertToFormat(QImage::Format_RGB32));

    TSkinPainter painter(dir.File("Data"));
    painter.SetDevicePixelRatio(2);
    QImage surface = TSkinPainter::NewSurface(800, 600, 2);
    QPainter p(&surface);
    painter.PreparePainter(p);
    painter.DrawElement(p, SkinCode::Cut, TSkinLook::Active, 800, 600);
    p.end();
    // One device pixel of the window for each pixel of the 2x bitmap.
    const QPoint at(2 * 370, 2 * 70);
    EXPECT_EQ(surface.copy(QRect(at, two.size())).convertToFormat(QImage::Format_RGB32),
              two.convertToFormat(QImage::Format_RGB32));
    // The card's left edge on its middle row: from the light paper to the dark border
    // in one step, with no blurred pixel between.
    const int y = at.y() + two.height() / 2;
    int x = at.x();
    while (x < at.x() + two.width() / 2 && qGray(surface.pixel(x, y)) > 128) ++x;
    ASSERT_LT(x, at.x() + two.width() / 2);
    EXPECT_GT(qGray(surface.pixel(x - 1, y)), 180);
}

#endif
