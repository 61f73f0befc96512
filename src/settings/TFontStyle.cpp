#include "settings/TFontStyle.h"

namespace {
bool Flag(QStringView text, int place) { return text.size() > place && text[place] == u'1'; }
QChar Char(bool flag) { return flag ? u'1' : u'0'; }
}  // namespace

TFontStyle TFontStyle::Read(QStringView text) {
    return {Flag(text, 0), Flag(text, 1), Flag(text, 2), Flag(text, 3)};
}

QString TFontStyle::Write() const {
    const QChar flags[] = {Char(bold), Char(italic), Char(underline), Char(strikeOut)};
    return QString(flags, 4);
}

TFontStyle TFontStyle::Of(const QFont& font) {
    return {font.bold(), font.italic(), font.underline(), font.strikeOut()};
}

void TFontStyle::ApplyTo(QFont& font) const {
    if (bold) {
        font.setBold(true);
        font.setItalic(false);
        font.setUnderline(false);
        font.setStrikeOut(false);
    }
    if (italic) font.setItalic(true);
    if (underline) font.setUnderline(true);
    if (strikeOut) font.setStrikeOut(true);
}
