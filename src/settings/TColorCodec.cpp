#include "settings/TColorCodec.h"

#include <array>

namespace {

struct NamedColor {
    const char* name;
    quint32 value;
};

constexpr quint32 Rgb(quint32 r, quint32 g, quint32 b) { return r | (g << 8) | (b << 16); }
constexpr quint32 System(quint32 n) { return TColorCodec::kSystemBit | n; }

// In the order in which writing tries them.
constexpr std::array<NamedColor, 42> kNames = {{
    {"clBlack", Rgb(0, 0, 0)},
    {"clMaroon", Rgb(128, 0, 0)},
    {"clGreen", Rgb(0, 128, 0)},
    {"clOlive", Rgb(128, 128, 0)},
    {"clNavy", Rgb(0, 0, 128)},
    {"clPurple", Rgb(128, 0, 128)},
    {"clTeal", Rgb(0, 128, 128)},
    {"clGray", Rgb(128, 128, 128)},
    {"clSilver", Rgb(192, 192, 192)},
    {"clRed", Rgb(255, 0, 0)},
    {"clLime", Rgb(0, 255, 0)},
    {"clYellow", Rgb(255, 255, 0)},
    {"clBlue", Rgb(0, 0, 255)},
    {"clFuchsia", Rgb(255, 0, 255)},
    {"clAqua", Rgb(0, 255, 255)},
    {"clWhite", Rgb(255, 255, 255)},
    {"clScrollBar", System(0)},
    {"clBackground", System(1)},
    {"clActiveCaption", System(2)},
    {"clInactiveCaption", System(3)},
    {"clMenu", System(4)},
    {"clWindow", System(5)},
    {"clWindowFrame", System(6)},
    {"clMenuText", System(7)},
    {"clWindowText", System(8)},
    {"clCaptionText", System(9)},
    {"clActiveBorder", System(10)},
    {"clInactiveBorder", System(11)},
    {"clAppWorkSpace", System(12)},
    {"clHighlight", System(13)},
    {"clHighlightText", System(14)},
    {"clBtnFace", System(15)},
    {"clBtnShadow", System(16)},
    {"clGrayText", System(17)},
    {"clBtnText", System(18)},
    {"clInactiveCaptionText", System(19)},
    {"clBtnHighlight", System(20)},
    {"cl3DDkShadow", System(21)},
    {"cl3DLight", System(22)},
    {"clInfoText", System(23)},
    {"clInfoBk", System(24)},
    {"clNone", TColorCodec::kNone},
}};

// The classic desktop values of the 25 system colours.
constexpr std::array<quint32, 25> kSystemColors = {{
    Rgb(200, 200, 200), Rgb(0, 0, 0),       Rgb(153, 180, 209), Rgb(191, 205, 219),
    Rgb(240, 240, 240), Rgb(255, 255, 255), Rgb(100, 100, 100), Rgb(0, 0, 0),
    Rgb(0, 0, 0),       Rgb(0, 0, 0),       Rgb(180, 180, 180), Rgb(244, 247, 252),
    Rgb(171, 171, 171), Rgb(0, 120, 215),   Rgb(255, 255, 255), Rgb(240, 240, 240),
    Rgb(160, 160, 160), Rgb(109, 109, 109), Rgb(0, 0, 0),       Rgb(0, 0, 0),
    Rgb(255, 255, 255), Rgb(105, 105, 105), Rgb(227, 227, 227), Rgb(0, 0, 0),
    Rgb(255, 255, 225),
}};

}  // namespace

std::optional<quint32> TColorCodec::Read(const QString& text) {
    for (const NamedColor& named : kNames)
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) return named.value;
    bool ok = false;
    qint64 value = 0;
    if (text.startsWith(u'$'))
        value = text.mid(1).toLongLong(&ok, 16);
    else
        value = text.toLongLong(&ok, 10);
    if (!ok || value < INT32_MIN || value > UINT32_MAX) return std::nullopt;
    return static_cast<quint32>(value);
}

QString TColorCodec::Write(quint32 value) {
    for (const NamedColor& named : kNames)
        if (named.value == value) return QLatin1String(named.name);
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

quint32 TColorCodec::FromColor(const QColor& color) {
    if (!color.isValid()) return kNone;
    return Rgb(color.red(), color.green(), color.blue());
}

QColor TColorCodec::ToColor(quint32 value) {
    if (value == kNone) return {};
    if (value & kSystemBit) {
        const quint32 index = value & 0xFF;
        if (index >= kSystemColors.size()) return {};
        value = kSystemColors[index];
    }
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}
