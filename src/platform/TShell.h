#pragma once

class QUrl;

// The desktop's way of opening a document, a web page or a mail address with the
// program the user chose for it.
class TShell {
  public:
    virtual ~TShell() = default;

    // Asks the desktop to open url; false when it could not.
    virtual bool Open(const QUrl& url) = 0;
};
