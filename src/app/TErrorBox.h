#pragma once

#include <QString>
#include <functional>

class TMessageBoxes;

// The application-wide error box: a failure that a command does not handle itself ends
// the command and shows its text; the program goes on with the state reached so far.
class TErrorBox {
  public:
    explicit TErrorBox(TMessageBoxes& boxes) : boxes_(boxes) {}

    void Show(const QString& text);

    // Runs a command and shows the text of an AppError it throws. Returns false when the
    // command failed.
    bool Run(const std::function<void()>& command);

  private:
    TMessageBoxes& boxes_;
};
