#pragma once

#include "platform/TMessageBoxes.h"

class QWidget;

// Message boxes shown with QMessageBox, with the program's Japanese button texts.
class TQtMessageBoxes : public TMessageBoxes {
  public:
    void SetParent(QWidget* parent) { parent_ = parent; }

    Answer Ask(Kind kind, const QString& text, Buttons buttons) override;
    void ShowPlain(const QString& text) override;

  private:
    QWidget* parent_ = nullptr;
};
