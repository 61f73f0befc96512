#pragma once

#include <QFont>
#include <QString>

// A font style as the settings file writes it: four characters "1" or "0" for bold,
// italic, underline and strike-out, in this order.
struct TFontStyle {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    // A missing character counts as "0".
    static TFontStyle Read(QStringView text);
    QString Write() const;

    static TFontStyle Of(const QFont& font);
    // A "1" in place 1 makes the font bold alone; places 2 to 4 add to its style.
    void ApplyTo(QFont& font) const;

    bool operator==(const TFontStyle&) const = default;
};
