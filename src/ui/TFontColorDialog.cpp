#include "ui/TFontColorDialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QColorDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {

// The group that holds the strike-out and underline boxes.
QGroupBox* EffectsGroup(const QWidget& dialog) {
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>())
        if (!group->findChildren<QCheckBox*>().isEmpty()) return group;
    return nullptr;
}

QIcon Swatch(const QColor& color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(color.isValid() ? color : QColor(Qt::black));
    return QIcon(pixmap);
}

}  // namespace

TFontColorDialog::TFontColorDialog(const TFontChoice& initial, QWidget* parent) : QFontDialog(parent) {
    setOption(QFontDialog::DontUseNativeDialog);
    setWindowTitle(QStringLiteral("フォント"));
    setCurrentFont(TFontSettings::InPoints(initial.Font));
    AddColorChoice();
    SetColor(initial.Color.isValid() ? initial.Color : QColor(Qt::black));
}

void TFontColorDialog::AddColorChoice() {
    ColorButton = new QPushButton(QStringLiteral("色(&C)..."), this);
    ColorButton->setObjectName(QStringLiteral("ColorButton"));
    connect(ColorButton, &QPushButton::clicked, this, &TFontColorDialog::AskColor);
    QGroupBox* effects = EffectsGroup(*this);
    auto* box = effects ? qobject_cast<QBoxLayout*>(effects->layout()) : qobject_cast<QBoxLayout*>(layout());
    if (box) {
        box->addWidget(ColorButton);
        return;
    }
    if (QLayout* any = effects ? effects->layout() : layout()) any->addWidget(ColorButton);
}

void TFontColorDialog::SetColor(const QColor& color) {
    color_ = color.toRgb();
    ColorButton->setIcon(Swatch(color_));
    if (QLineEdit* sample = SampleEdit()) {
        QPalette palette = sample->palette();
        palette.setColor(QPalette::Text, color_);
        sample->setPalette(palette);
    }
}

TFontChoice TFontColorDialog::Choice() const { return {currentFont(), color_}; }

void TFontColorDialog::AskColor() {
    const QColor chosen = QColorDialog::getColor(color_, this, QStringLiteral("色の設定"));
    if (chosen.isValid()) SetColor(chosen);
}

// The sample text sits in a group of its own; the other edit boxes belong to the
// dialog directly.
QLineEdit* TFontColorDialog::SampleEdit() const {
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        if (qobject_cast<QGroupBox*>(edit->parentWidget())) return edit;
    return nullptr;
}
