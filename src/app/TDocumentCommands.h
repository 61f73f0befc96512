#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "document/TDocumentWriter.h"

class QPlainTextEdit;
class TDocumentSession;
class TErrorBox;
class TFileDialogs;
class TItemTextBinding;
class TMessageBoxes;

// The file commands and the documents behind them: save and load (all or nothing), New,
// Open, Save, Save As, Exit, the recent files and the switches for automatic loading,
// saving and backups.
class TDocumentCommands {
  public:
    TDocumentCommands(TDocumentSession& session, TItemTextBinding& texts, QPlainTextEdit* editor,
                      TMessageBoxes& boxes, TFileDialogs& dialogs, TErrorBox& errors);

    // What the commands ask of the window.
    std::function<void(const QString&)> SetCaption;
    std::function<void()> DrawBack;
    std::function<void()> StartRedrawTimer;
    std::function<void()> CloseWindow;

    // Whether a save may ask the user anything.
    enum class Questions {
        Ask,
        // No box at all (the program is being ended by the system): whatever would be
        // asked is declined.
        Never,
    };
    // Saves the outline with its texts to path. When path is the file last loaded or
    // saved and another program has changed it since, asks whether to overwrite it
    // ("いいえ" saves under another name instead). Returns false when the document was
    // not saved: the user declined, or with Questions::Never a question was due (an
    // outside change, characters code page 932 cannot hold). Throws AppError.
    bool SaveFile(const QString& path, Questions questions = Questions::Ask);
    // Reads, checks and loads the document at path, asking first to save changes.
    // Returns false when it was not loaded. Throws AppError.
    bool LoadFile(const QString& path);
    void NewMenuClick();
    void OpenMenuClick();
    void SaveMenuClick();
    bool SaveAsMenuClick();
    void ExitMenuClick();
    void RecentFileMenuClick(int number);
    void RecentFile(const QString& path);
    void AutoLoadMenuClick();
    void AutoSaveMenuClick();
    void AutoBackupMenuClick();

    // The caption that names the document saved or recovered at path.
    void ShowInCaption(const QString& path);

    // SaveFile with a failure shown in the error box; whether it saved.
    bool SaveGuarded(const QString& path);
    // Asks whether to save the changes (and whether to overwrite the file); false when
    // the user cancelled or the save did not happen.
    bool OfferToSave();

  private:
    bool NewDocument();
    // The whole content of the document at path, checked; throws for a document that
    // cannot be read or is malformed.
    static QByteArray ReadCheckedDocument(const QString& path);
    // Replaces the outline by the checked document bytes read from path.
    void ReplaceDocument(const QString& path, const QByteArray& bytes);
    bool ConfirmUnencodable(const QString& characters);
    void ApplyWordWrapSetting();

    TDocumentSession& session_;
    TItemTextBinding& texts_;
    QPlainTextEdit* editor_;
    TMessageBoxes& boxes_;
    TFileDialogs& dialogs_;
    TErrorBox& errors_;
    // The document file as last loaded or saved; none for a new document.
    std::optional<TDocumentWriter::Fingerprint> file_;
};
