#pragma once

#include <QString>

// Where the program finds its files. A copy whose folder it may write to (a build tree,
// a copy the user unpacked) keeps everything beside the executable: the settings file,
// the Data folder with the skin, the item text files, the lock and the recovery record,
// and the help page. An installed copy (a read-only folder, or the bin folder of a prefix
// with share/hedgerow) reads its skin and help page from <prefix>/share/hedgerow and
// keeps the user's files in the user's own folders:
//   $XDG_CONFIG_HOME/hedgerow/Hedgerow.ini   (by default ~/.config)
//   $XDG_DATA_HOME/hedgerow/Data/            (by default ~/.local/share)
// Every folder returned ends with a separator.
class TProgramFolders {
  public:
    TProgramFolders() = default;

    // The folders of the executable in exeDir, decided by whether that folder can be
    // written to and whether it belongs to an installed prefix.
    static TProgramFolders ForExecutable(const QString& exeDir);
    // Everything beside the executable.
    static TProgramFolders BesideExecutable(const QString& exeDir);
    // An installed copy: the user's files below configHome and dataHome (the XDG base
    // folders), the skin and help page in shareDir.
    static TProgramFolders Installed(const QString& exeDir, const QString& shareDir,
                                     const QString& configHome, const QString& dataHome);

    // The XDG base folders from the environment, without a trailing separator; unset,
    // empty or relative values fall back to the defaults below the home folder.
    static QString ConfigHome();
    static QString DataHome();

    bool IsInstalled() const { return installed_; }
    // The executable's folder.
    const QString& ExeDir() const { return exeDir_; }
    // The folder of "Hedgerow.ini".
    const QString& SettingsFolder() const { return settingsFolder_; }
    QString SettingsPath() const { return settingsFolder_ + QStringLiteral("Hedgerow.ini"); }
    // The item text files, the lock and the recovery record.
    const QString& DataFolder() const { return dataFolder_; }
    // The skin bitmaps.
    const QString& SkinFolder() const { return skinFolder_; }
    // The folder of "Help.html".
    const QString& HelpFolder() const { return helpFolder_; }
    // Where the file dialogs start while no document was opened yet.
    const QString& DocumentFolder() const { return documentFolder_; }

    // Creates the settings and data folders of an installed copy where they are
    // missing, each new folder readable by the user alone. False when one cannot be
    // made; a copy beside its executable creates nothing.
    bool CreateUserFolders() const;

  private:
    bool installed_ = false;
    QString exeDir_;
    QString settingsFolder_;
    QString dataFolder_;
    QString skinFolder_;
    QString helpFolder_;
    QString documentFolder_;
};
