#include "ui/TFontSettings.h"

#include <cmath>

#include "settings/TColorCodec.h"
#include "settings/TFontStyle.h"
#include "settings/TSettingsList.h"

void TFontSettings::Store(TSettingsList& settings, QStringView prefix, const TFontChoice& choice) {
    const QString key = prefix.toString();
    settings.SetValue(key + QStringLiteral("Name"), choice.Font.family());
    settings.SetValue(key + QStringLiteral("Color"),
                      TColorCodec::Write(TColorCodec::FromColor(choice.Color)));
    settings.SetValue(key + QStringLiteral("Size"), QString::number(PointSizeOf(choice.Font)));
    settings.SetValue(key + QStringLiteral("Style"), TFontStyle::Of(choice.Font).Write());
}

int TFontSettings::PointSizeOf(const QFont& font) {
    if (font.pointSizeF() > 0) return static_cast<int>(std::lround(font.pointSizeF()));
    if (font.pixelSize() > 0)
        return static_cast<int>(std::lround(font.pixelSize() * 72.0 / kDotsPerInch));
    return 0;
}

QFont TFontSettings::InPoints(const QFont& font) {
    if (font.pointSizeF() > 0) return font;
    QFont points = font;
    if (font.pixelSize() > 0) points.setPointSize(PointSizeOf(font));
    return points;
}
