#pragma once

#include "platform/TFileDialogs.h"

class QWidget;

// Qt's file dialogs with the document filter; saving adds the extension "qlo" and
// asks before overwriting.
class TQtFileDialogs : public TFileDialogs {
  public:
    void SetParent(QWidget* parent) { parent_ = parent; }

    QString AskOpenFileName(const QString& startFolder) override;
    QString AskSaveFileName(const QString& startFolder) override;
    Choice AskOpenFile(const Request& request) override;
    Choice AskSaveFile(const Request& request) override;

  private:
    QWidget* parent_ = nullptr;
};
