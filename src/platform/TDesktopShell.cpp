#include "platform/TDesktopShell.h"

#include <QDesktopServices>
#include <QUrl>

bool TDesktopShell::Open(const QUrl& url) { return QDesktopServices::openUrl(url); }
