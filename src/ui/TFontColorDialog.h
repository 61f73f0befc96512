#pragma once

#include <QFontDialog>

#include "ui/TFontSettings.h"

class QLineEdit;
class QPushButton;

// The font dialog with a colour choice among its effects, like the desktop's own font
// dialog: face, style, size, strike-out, underline and the colour of the text. The
// colour button opens the colour dialog; the sample shows the chosen colour.
class TFontColorDialog : public QFontDialog {
    Q_OBJECT

public:
    TFontColorDialog(const TFontChoice& initial, QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    // Font and colour as they stand in the dialog.
    TFontChoice Choice() const;

    QPushButton* ColorButton = nullptr;

private:
    void AddColorChoice();
    void AskColor();
    QLineEdit* SampleEdit() const;

    QColor color_;
};
