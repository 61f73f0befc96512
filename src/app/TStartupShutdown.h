#pragma once

#include <QStringList>
#include <functional>
#include <optional>

#include "app/TMainFormContext.h"
#include "app/TStartupSettings.h"
#include "document/TRecoveryRecord.h"

class QPlainTextEdit;
class QWidget;
class TDocumentCommands;
class TDocumentSession;
class TErrorBox;

class TItemTextBinding;
class TOutlineItem;
class TOutlineView;
class TSessionRecovery;
class TSkinSurface;
class TWindowStates;

// The main window's start and end: the start-up steps (item files cleared, settings
// read, upgraded or created and applied, the start document chosen), the first
// activation, the question before closing and the shutdown that records the window's
// place and writes the settings.
class TStartupShutdown {
  public:
    TStartupShutdown(QWidget& window, TOutlineView* tree, QPlainTextEdit* editor,
                     const TMainFormContext& context, TDocumentSession& session,
                     TItemTextBinding& texts, TDocumentCommands& documents, TSkinSurface& surface,
                     TWindowStates& windowStates, TSessionRecovery& recovery, TErrorBox& errors);

    // Commits what the user is editing outside the editor (a label): called before
    // anything saves or ends the document.
    std::function<void()> CommitPendingEdits;

    void FormCreate();
    // The window has been drawn for the first time.
    void FirstShown();
    void FormActivate();
    // Whether the window may close: saves or asks first when the document changed.
    bool FormCloseQuery();
    void FormClose();
    // The end nobody can answer questions for (a signal, the desktop session's end):
    // with automatic saving and a file name the document is saved; otherwise, or when
    // that save cannot happen without a question, the unsaved work stays in the item
    // text files and the recovery record for the next start. No box is shown. A later
    // close then asks nothing.
    void EndWithoutQuestions();

  private:
    // Asks whether to recover what a session that ended without saving left; the
    // record when the answer is yes.
    std::optional<TRecoveryRecord> OfferRecovery();
    void ApplyRecoveredSession(TRecoveryRecord record);
    void ReadSettingsAtStart();
    void ApplySettings(TStartupSettings::Values values);
    static void ApplyFont(QWidget* control, const TStartupSettings::Font& setting);
    bool SettingsChangedSinceStart() const;
    // editFile: the document the last session had, for the automatic load.
    void ChooseStartDocument(const QString& editFile);
    // Names the items whose texts the recovered session lost (their files are gone) and
    // gives them empty ones.
    void ReportMissingTexts(const TOutlineItem* current);
    void AddDefaultItem();
    void RecordWindowPlace();
    void WriteSettingsFile();

    QWidget& window_;
    TOutlineView* tree_;
    QPlainTextEdit* editor_;
    const TMainFormContext& context_;
    TDocumentSession& session_;
    TItemTextBinding& texts_;
    TDocumentCommands& documents_;
    TSkinSurface& surface_;
    TWindowStates& windowStates_;
    TSessionRecovery& recovery_;
    TErrorBox& errors_;
    bool endedWithoutQuestions_ = false;
    // A session that did not end in order left a record (read or not).
    bool recordFound_ = false;
    // The document the command line named while a recovered session was brought back.
    QString documentAfterRecovery_;
    // The list start-up used because the settings file could not be read.
    std::optional<QStringList> unreadSettings_;
};
