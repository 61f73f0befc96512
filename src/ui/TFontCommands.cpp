#include "ui/TFontCommands.h"

#include <QFontInfo>
#include <QWidget>

#include "settings/TFontStyle.h"
#include "ui/TFontPicker.h"

bool TFontCommands::ChooseFont(QWidget& control, QStringView keyPrefix) {
    const TFontChoice current = CurrentChoice(control);
    const std::optional<TFontChoice> choice = picker_.Choose(current);
    if (!choice || Unchanged(current, *choice)) return false;
    Apply(control, *choice);
    TFontSettings::Store(settings_, keyPrefix, *choice);
    return true;
}

TFontChoice TFontCommands::CurrentChoice(const QWidget& control) {
    return {control.font(), control.palette().color(QPalette::Text)};
}

bool TFontCommands::Unchanged(const TFontChoice& current, const TFontChoice& chosen) {
    const auto colour = [](const QColor& color) {
        return color.isValid() ? color.rgb() : QColor(Qt::black).rgb();
    };
    return QFontInfo(chosen.Font).family() == QFontInfo(current.Font).family() &&
           TFontSettings::PointSizeOf(chosen.Font) == TFontSettings::PointSizeOf(current.Font) &&
           TFontStyle::Of(chosen.Font) == TFontStyle::Of(current.Font) &&
           colour(chosen.Color) == colour(current.Color);
}

void TFontCommands::Apply(QWidget& control, const TFontChoice& choice) {
    control.setFont(choice.Font);
    if (!choice.Color.isValid()) return;
    QPalette palette = control.palette();
    palette.setColor(QPalette::Text, choice.Color);
    control.setPalette(palette);
}
