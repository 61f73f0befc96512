#pragma once

#include "platform/TShell.h"

// Opens addresses through QDesktopServices.
class TDesktopShell : public TShell {
  public:
    bool Open(const QUrl& url) override;
};
