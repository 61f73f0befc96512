#pragma once

#include <QString>
#include <QUrl>

class TShell;

// The help page and the maker's addresses, and the commands that open them with the
// desktop's programs. The shell's outcome is passed back; the commands themselves
// show no message.
class TLinkCommands {
  public:
    // The three addresses of the maker. They are reserved example addresses
    // (RFC 2606 ".invalid") until the project publishes its own.
    static QUrl HomePage() { return QUrl(QStringLiteral("https://hedgerow.invalid/")); }
    static QUrl VersionPage() {
        return QUrl(QStringLiteral("https://hedgerow.invalid/version.html"));
    }
    static QUrl MailAddress() { return QUrl(QStringLiteral("mailto:support@hedgerow.invalid")); }

    static QString HelpFileName() { return QStringLiteral("Help.html"); }
    // The help page in folder (beside the program, or the installed share folder);
    // folder ends with a separator.
    static QString HelpPath(const QString& folder) { return folder + HelpFileName(); }

    // Opens "Help.html" in folder. A missing file is not handed to the shell: false
    // then, and nothing else happens.
    static bool OpenHelp(TShell& shell, const QString& folder);
    // The maker's home page (help menu and the "homepage" link tab).
    static bool OpenHomePage(TShell& shell);
    // The page that tells the newest version.
    static bool OpenLatestVersion(TShell& shell);
    // A new mail to the maker (the "e-mail" link tab).
    static bool OpenMail(TShell& shell);
};
