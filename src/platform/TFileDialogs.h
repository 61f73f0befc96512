#pragma once

#include <QString>

// The open and save dialogs, behind an interface so that tests choose the files.
class TFileDialogs {
  public:
    virtual ~TFileDialogs() = default;

    // The chosen path, or an empty string when the user cancelled.
    virtual QString AskOpenFileName(const QString& startFolder) = 0;
    virtual QString AskSaveFileName(const QString& startFolder) = 0;
};
