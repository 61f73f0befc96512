#include "ui/TQtFontPicker.h"

#include "ui/TFontColorDialog.h"

std::optional<TFontChoice> TQtFontPicker::Choose(const TFontChoice& current) {
    TFontColorDialog dialog(current, parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
}
