#pragma once

#include <QColor>
#include <QString>
#include <optional>

// Colours as the settings file writes them: the name of a standard colour when the
// value equals one, else "$" and the value as 8 upper-case hexadecimal digits. A
// value is red + 256 × green + 65536 × blue, a system colour number with bit 31
// set, or 0x1FFFFFFF for no colour.
class TColorCodec {
  public:
    static constexpr quint32 kNone = 0x1FFFFFFF;
    static constexpr quint32 kSystemBit = 0x80000000;

    // A name (any letter case), a decimal integer or "$" and hexadecimal digits;
    // nothing when the text is none of these.
    static std::optional<quint32> Read(const QString& text);
    // The first matching name, else "$" and 8 hexadecimal digits.
    static QString Write(quint32 value);

    static quint32 FromColor(const QColor& color);
    // System colours take their usual desktop values; no colour gives an invalid
    // QColor.
    static QColor ToColor(quint32 value);
};
