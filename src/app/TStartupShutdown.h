#pragma once

#include <QStringList>
#include <optional>

#include "app/TMainFormContext.h"
#include "app/TStartupSettings.h"

class QPlainTextEdit;
class QWidget;
class TDocumentCommands;
class TDocumentSession;
class TErrorBox;
class TFrameBehaviour;
class TItemTextBinding;
class TOutlineView;
class TSkinSurface;

// The main window's start and end: the start-up steps (item files cleared, settings
// read, upgraded or created and applied, the start document chosen), the first
// activation, the question before closing and the shutdown that records the window's
// place and writes the settings.
class TStartupShutdown {
  public:
    TStartupShutdown(QWidget& window, TOutlineView* tree, QPlainTextEdit* editor,
                     const TMainFormContext& context, TDocumentSession& session,
                     TItemTextBinding& texts, TDocumentCommands& documents, TSkinSurface& surface,
                     TFrameBehaviour& frame, TErrorBox& errors);

    void FormCreate();
    void FormActivate();
    // Whether the window may close: saves or asks first when the document changed.
    bool FormCloseQuery();
    void FormClose();

  private:
    void ReadSettingsAtStart();
    void ApplySettings(TStartupSettings::Values values);
    static void ApplyFont(QWidget* control, const TStartupSettings::Font& setting);
    bool SettingsChangedSinceStart() const;
    void ChooseStartDocument();
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
    TFrameBehaviour& frame_;
    TErrorBox& errors_;
    // The list start-up used because the settings file could not be read.
    std::optional<QStringList> unreadSettings_;
};
