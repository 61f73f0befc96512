#pragma once

#include <QPointer>

#include "ui/TFontPicker.h"

class QWidget;

// Chooses fonts with the font dialog with a colour choice, in front of a parent window.
class TQtFontPicker : public TFontPicker {
  public:
    explicit TQtFontPicker(QWidget* parent) : parent_(parent) {}

    std::optional<TFontChoice> Choose(const TFontChoice& current) override;

  private:
    QPointer<QWidget> parent_;
};
