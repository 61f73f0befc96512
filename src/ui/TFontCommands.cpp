#include "ui/TFontCommands.h"

#include <QWidget>

#include "ui/TFontPicker.h"

bool TFontCommands::ChooseFont(QWidget& control, QStringView keyPrefix) {
    const std::optional<TFontChoice> choice = picker_.Choose(CurrentChoice(control));
    if (!choice) return false;
    Apply(control, *choice);
    TFontSettings::Store(settings_, keyPrefix, *choice);
    return true;
}

TFontChoice TFontCommands::CurrentChoice(const QWidget& control) {
    return {control.font(), control.palette().color(QPalette::Text)};
}

void TFontCommands::Apply(QWidget& control, const TFontChoice& choice) {
    control.setFont(choice.Font);
    if (!choice.Color.isValid()) return;
    QPalette palette = control.palette();
    palette.setColor(QPalette::Text, choice.Color);
    control.setPalette(palette);
}
