#include "app/TStartupSettings.h"

#include <algorithm>

#include "settings/TColorCodec.h"

namespace {

std::optional<int> ReadInteger(const TSettingsList& settings, QStringView key, QStringList& bad) {
    const QString text = settings.Value(key);
    if (text.isEmpty()) return std::nullopt;  // absent: the designed value stays
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok) return value;
    bad << text;
    return std::nullopt;
}

std::optional<TStartupSettings::Font> ReadFont(const TSettingsList& settings, const QString& prefix,
                                               QStringList& bad) {
    const QString family = settings.Value(QString(prefix + QStringLiteral("Name")));
    // An absent or empty name chose no font either: the designed font stays.
    if (family.isEmpty() || family == QStringLiteral("nil")) return std::nullopt;
    TStartupSettings::Font font;
    font.family = family;
    const QString colorText = settings.Value(QString(prefix + QStringLiteral("Color")));
    if (const std::optional<quint32> color = TColorCodec::Read(colorText))
        font.color = TColorCodec::ToColor(*color);
    else if (!colorText.isEmpty())
        bad << colorText;
    font.pointSize = ReadInteger(settings, QString(prefix + QStringLiteral("Size")), bad);
    if (font.pointSize && *font.pointSize <= 0) font.pointSize.reset();
    font.style = TFontStyle::Read(settings.Value(QString(prefix + QStringLiteral("Style"))));
    return font;
}

}  // namespace

bool TStartupSettings::IsCurrent(const TSettingsList& settings) {
    return settings.Value(u"iniFileVer") == QStringView(kCurrentVersion);
}

void TStartupSettings::Upgrade(TSettingsList& settings) {
    if (settings.Value(u"Version").isEmpty()) settings.SetValue(u"Version", QStringLiteral("1.08"));
    settings.SetValue(u"iniFileVer", QString::fromUtf16(kCurrentVersion));
    static const std::pair<const char16_t*, const char*> defaults[] = {
        {u"EditorWordWrap", "1"},
        {u"AutoLoad", "1"},
        {u"AutoSave", "0"},
        {u"AutoBackup", "1"},
        {u"AutoNodeName", "1"},
        {u"NodeNameLimitter", "0"},
        {u"NodeNameLimitterCount", "40"},
    };
    for (const auto& [key, value] : defaults)
        if (settings.Value(key).isEmpty()) settings.SetValue(key, QString::fromLatin1(value));
}

TStartupSettings::Values TStartupSettings::Read(const TSettingsList& settings) {
    Values values;
    QStringList& bad = values.badValues;
    values.top = ReadInteger(settings, u"FormTop", bad);
    values.left = ReadInteger(settings, u"FormLeft", bad);
    values.height = ReadInteger(settings, u"FormHeight", bad);
    values.width = ReadInteger(settings, u"FormWidth", bad);
    values.treeWidth = ReadInteger(settings, u"TreeWidth", bad);
    values.wordWrapOff = settings.Value(u"EditorWordWrap") == QStringLiteral("0");
    const QString editFile = settings.Value(u"EditFile");
    if (editFile != QStringLiteral("nil")) values.dialogFolder = FolderOf(editFile);
    values.treeFont = ReadFont(settings, QStringLiteral("TreeFont"), bad);
    values.editorFont = ReadFont(settings, QStringLiteral("EditorFont"), bad);
    return values;
}

void TStartupSettings::FitToDesktop(Values& values, const QSize& desktop) {
    const auto fit = [&](std::optional<int>& size, int limit) {
        if (!size || *size <= limit) return;
        values.oversizedValues << QString::number(*size);
        size = limit;
    };
    fit(values.width, desktop.width());
    fit(values.height, desktop.height());
    fit(values.treeWidth, desktop.width());
    // A place off every screen is moved onto one later; it only has to stay computable.
    constexpr int kFarAway = 1 << 20;
    for (std::optional<int>* position : {&values.top, &values.left})
        if (*position) **position = std::clamp(**position, -kFarAway, kFarAway);
}

QString TStartupSettings::FolderOf(const QString& path) {
    qsizetype end = -1;
    for (QChar separator : {QChar(u'\\'), QChar(u'/'), QChar(u':')})
        end = std::max(end, path.lastIndexOf(separator));
    return path.left(end + 1);
}
