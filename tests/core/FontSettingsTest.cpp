#include <gtest/gtest.h>

#include "settings/TSettingsList.h"
#include "support/Printers.h"
#include "ui/TFontSettings.h"

namespace {

QFont PointFont(const QString& family, int points) {
    QFont font(family);
    font.setPointSize(points);
    return font;
}

}  // namespace

TEST(FontSettings, StoresFaceColourSizeAndStyle) {
    TSettingsList settings(TSettingsList::Defaults(QRect(0, 0, 800, 600)));
    QFont font = PointFont("ＭＳ Ｐ明朝", 12);
    font.setBold(true);
    font.setItalic(true);
    TFontSettings::Store(settings, u"TreeFont", {font, QColor(255, 0, 0)});
    EXPECT_EQ(settings.Value(u"TreeFontName"), "ＭＳ Ｐ明朝");
    EXPECT_EQ(settings.Value(u"TreeFontColor"), "clRed");
    EXPECT_EQ(settings.Value(u"TreeFontSize"), "12");
    EXPECT_EQ(settings.Value(u"TreeFontStyle"), "1100");
    EXPECT_EQ(settings.Value(u"EditorFontName"), "nil");
    EXPECT_EQ(settings.Lines().size(), 30);  // replaced in place
}

TEST(FontSettings, ColourWithoutANameIsWrittenInHexadecimal) {
    TSettingsList settings;
    QFont font = PointFont("IPAPGothic", 10);
    font.setUnderline(true);
    font.setStrikeOut(true);
    TFontSettings::Store(settings, u"EditorFont", {font, QColor(18, 52, 86)});
    EXPECT_EQ(settings.Value(u"EditorFontColor"), "$00563412");
    EXPECT_EQ(settings.Value(u"EditorFontStyle"), "0011");
    EXPECT_EQ(settings.Value(u"EditorFontSize"), "10");
    EXPECT_EQ(settings.Value(u"TreeFontName"), "");
}

TEST(FontSettings, PixelSizesBecomePointsAt96DotsPerInch) {
    QFont font("IPAPGothic");
    font.setPixelSize(12);
    EXPECT_EQ(TFontSettings::PointSizeOf(font), 9);
    font.setPixelSize(19);
    EXPECT_EQ(TFontSettings::PointSizeOf(font), 14);
    EXPECT_EQ(TFontSettings::InPoints(font).pointSize(), 14);
    EXPECT_EQ(TFontSettings::InPoints(font).family(), "IPAPGothic");
    font.setPointSizeF(10.6);
    EXPECT_EQ(TFontSettings::PointSizeOf(font), 11);
}
