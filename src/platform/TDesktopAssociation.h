#pragma once

#include <QString>
#include <QStringList>

#include "platform/TAssociation.h"

// The association on freedesktop.org desktops (Linux). Register() writes, below the
// user's data folder (XDG_DATA_HOME, by default ~/.local/share):
//   mime/packages/qlm-outline-editor.xml          the document type for "*.qlo"
//   applications/qlm-outline-editor.desktop       the desktop entry "qlm outline editor"
//   icons/hicolor/<size>/apps/qlm-outline-editor.png  the program icon
// and below the user's config folder (XDG_CONFIG_HOME, by default ~/.config) the
// default-application line of mimeapps.list. The desktop's databases are refreshed
// afterwards when update-mime-database and update-desktop-database exist.
class TDesktopAssociation : public TAssociation {
  public:
    // exePath: the program's full path, written into the desktop entry. iconSource:
    // the program icon (a PNG file or resource) copied into the icon folder.
    explicit TDesktopAssociation(QString exePath,
                                 QString iconSource = QStringLiteral(":/images/icon.png"));

    // The association of an installed copy. Its desktop entry, installed with the
    // program, already names the document type, and the desktop's databases know it; so
    // Register() only makes that entry the user's default application for the type (in
    // mimeapps.list) and Remove() takes only that line out again.
    static TDesktopAssociation ForInstalledEntry();

    void Register() override;
    void Remove() override;

    // Whether Register() and Remove() run the desktop's database tools (default on).
    void SetRefreshDatabases(bool refresh) { refreshDatabases_ = refresh; }

    static QString MimeType() { return QStringLiteral("application/x-qlm-outline"); }
    static QString DesktopFileName() { return QStringLiteral("qlm-outline-editor.desktop"); }
    static QString IconName() { return QStringLiteral("qlm-outline-editor"); }
    // The desktop entry an installation puts into the system's applications folder.
    static QString InstalledDesktopFileName() {
        return QStringLiteral("invalid.hedgerow.Hedgerow.desktop");
    }

    // The folders in use now, from the environment, without a trailing separator.
    static QString DataHome();
    static QString ConfigHome();

    // Where the files go, for the folders in use now.
    static QString MimePackagePath();
    static QString DesktopEntryPath();
    static QString MimeAppsPath();
    // The icon's path in the folder of the given pixel size ("64x64").
    static QString IconPath(const QString& size);

    // The texts written.
    static QString MimePackageText();
    static QString DesktopEntryText(const QString& exePath);
    // The Exec value of the desktop entry: the program path, quoted when it holds a
    // reserved character, followed by the file placeholder "%f"; escaped as a
    // desktop-entry string.
    static QString ExecValue(const QString& exePath);

    // mimeapps.list edits: the lines with the desktop entry as the default application
    // of the document type, and the lines without that entry (other lines untouched).
    static QStringList WithDefaultEntry(const QStringList& lines,
                                        const QString& entry = DesktopFileName());
    static QStringList WithoutDefaultEntry(const QStringList& lines,
                                           const QString& entry = DesktopFileName());

  private:
    // The desktop entry named in mimeapps.list.
    QString OwnEntry() const;
    void WriteIcon() const;
    void WriteMimeApps() const;
    void RemoveIcons() const;
    void RemoveMimeAppsEntry() const;
    void RefreshDatabases() const;

    QString exePath_;
    QString iconSource_;
    bool refreshDatabases_ = true;
    // Set for an installed copy: only the default-application line is ours.
    QString installedEntry_;
};
