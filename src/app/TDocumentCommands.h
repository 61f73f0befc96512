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
    // Commits what the user is editing outside the editor (a label), before anything
    // saves, replaces or ends the document.
    std::function<void()> CommitPendingEdits;
    // The document was written: called before the save reports success.
    std::function<void()> Saved;

    // Whether a save may ask the user anything.
    enum class Questions {
        Ask,
        // No box at all (the program is being ended by the system): whatever would be
        // asked is declined.
        Never,
    };
    // Saves the outline with its texts to path. When path is the file last loaded or
    // saved and another program has changed it since, asks whether to overwrite it
    // ("いいえ" saves under another name instead, "読み込み直す" offers to load the other
    // program's version). Returns false when the document was not saved: the user
    // declined, or with Questions::Never a question was due (an outside change,
    // characters code page 932 cannot hold). When the editor's text cannot be written to
    // its item file, the save takes it from memory and says so afterwards. Throws
    // AppError.
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

    // The caption that names the document loaded, saved or recovered at path.
    void ShowInCaption(const QString& path);

    // Another program changed the document file while it has no unsaved edits: asks
    // whether to load it again.
    void OfferReload();
    // Asks whether to discard the edits and loads the document file again; whether it
    // was loaded.
    bool ReloadMenuClick();

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
};
