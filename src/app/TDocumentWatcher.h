#pragma once
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <optional>

#include "platform/TFileFingerprint.h"

class TDocumentCommands;
class TDocumentSession;

// Notices while the program runs that another program changed the document file (another
// editor, a synchronised folder): once the changes have settled, and while the document
// has no unsaved edits, the user is asked whether to load it again; never silently. A
// change the user declined is not asked about again; with unsaved edits the next save
// asks instead.
class TDocumentWatcher : public QObject {
    Q_OBJECT

  public:
    TDocumentWatcher(TDocumentSession& session, TDocumentCommands& documents,
                     QObject* parent = nullptr);

    // Watches the file last loaded or saved (none for a new document): called whenever
    // that may have changed.
    void Follow();

    // How long the file must stay unchanged before the question comes: a program that
    // writes in several steps is not interrupted.
    static constexpr int kSettleMs = 500;

  private:
    void Check();

    TDocumentSession& session_;
    TDocumentCommands& documents_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QString path_;
    // The file as it was when the user declined to load it again.
    std::optional<TFileFingerprint> declined_;
    bool asking_ = false;
};
