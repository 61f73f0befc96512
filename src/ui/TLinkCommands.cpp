#include "ui/TLinkCommands.h"

#include <QFileInfo>

#include "platform/TShell.h"

bool TLinkCommands::OpenHelp(TShell& shell, const QString& folder) {
    const QString path = HelpPath(folder);
    if (!QFileInfo(path).isFile()) return false;
    return shell.Open(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

bool TLinkCommands::OpenHomePage(TShell& shell) { return shell.Open(HomePage()); }

bool TLinkCommands::OpenLatestVersion(TShell& shell) { return shell.Open(VersionPage()); }

bool TLinkCommands::OpenMail(TShell& shell) { return shell.Open(MailAddress()); }
