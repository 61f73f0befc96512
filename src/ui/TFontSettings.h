#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class TSettingsList;

// A font as the font commands choose it: the face, size and style, and the colour
// of the text.
struct TFontChoice {
    QFont Font;
    QColor Color;
};

// The four settings of a chosen font: prefix + "Name", "Color", "Size" and "Style",
// for the prefixes "TreeFont" and "EditorFont".
class TFontSettings {
  public:
    // Screen resolution at which pixel heights and point sizes correspond.
    static constexpr int kDotsPerInch = 96;

    // Stores the face name, the colour in the settings' colour form, the size in whole
    // points and the style string.
    static void Store(TSettingsList& settings, QStringView prefix, const TFontChoice& choice);

    // The size in whole points; a font sized in pixels is converted at 96 dots per inch
    // (12 pixels are 9 points, 19 pixels 14 points).
    static int PointSizeOf(const QFont& font);

    // The same font sized in points, as a font dialog shows it.
    static QFont InPoints(const QFont& font);
};
