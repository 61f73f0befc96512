#include "platform/TFontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void TFontSubstitutes::Install() {
    struct Substitute {
        const char16_t* requested;
        const char16_t* installed;
    };
    static const Substitute substitutes[] = {
        {u"ＭＳ Ｐゴシック", u"IPAPGothic"}, {u"MS PGothic", u"IPAPGothic"},
        {u"ＭＳ Ｐ明朝", u"IPAPMincho"},     {u"MS PMincho", u"IPAPMincho"},
        {u"ＭＳ ゴシック", u"IPAGothic"},    {u"MS Gothic", u"IPAGothic"},
        {u"ＭＳ 明朝", u"IPAMincho"},        {u"MS Mincho", u"IPAMincho"},
    };
    const QStringList families = QFontDatabase::families();
    for (const Substitute& s : substitutes) {
        const QString requested = QString::fromUtf16(s.requested);
        if (families.contains(requested)) continue;
        QFont::insertSubstitution(requested, QString::fromUtf16(s.installed));
    }
}
