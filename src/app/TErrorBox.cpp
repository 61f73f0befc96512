#include "app/TErrorBox.h"

#include "platform/AppError.h"
#include "platform/TMessageBoxes.h"

void TErrorBox::Show(const QString& text) { boxes_.ShowPlain(text); }

bool TErrorBox::Run(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const AppError& error) {
        Show(error.Text());
    }
    return false;
}
