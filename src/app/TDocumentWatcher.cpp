#include "app/TDocumentWatcher.h"

#include <QApplication>
#include <QFileInfo>

#include "app/TDocumentCommands.h"
#include "app/TDocumentSession.h"

TDocumentWatcher::TDocumentWatcher(TDocumentSession& session, TDocumentCommands& documents,
                                   QObject* parent)
    : QObject(parent), session_(session), documents_(documents) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] { Check(); });
    // A program that replaces the file (writes another and renames it) ends the watch of
    // the file: its folder tells then.
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { settle_.start(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { settle_.start(); });
}

void TDocumentWatcher::Follow() {
    const QString path = session_.LoadedFile ? session_.LoadedFile->path : QString();
    if (path != path_) {
        if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
        if (!watcher_.directories().isEmpty()) watcher_.removePaths(watcher_.directories());
        path_ = path;
        declined_.reset();
        if (!path_.isEmpty()) watcher_.addPath(QFileInfo(path_).absolutePath());
    }
    if (!path_.isEmpty() && !watcher_.files().contains(path_) && QFileInfo::exists(path_))
        watcher_.addPath(path_);
}

void TDocumentWatcher::Check() {
    Follow();
    if (asking_ || !session_.LoadedFile || session_.Modified) return;
    // Not over another question or dialog: once it is closed.
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        settle_.start();
        return;
    }
    if (!TFileFingerprint::ChangedSince(*session_.LoadedFile)) return;
    if (declined_ && TFileFingerprint::StatusUnchanged(*declined_)) return;
    asking_ = true;
    documents_.OfferReload();
    asking_ = false;
    if (session_.LoadedFile && TFileFingerprint::ChangedSince(*session_.LoadedFile))
        declined_ = TFileFingerprint::Of(session_.LoadedFile->path, {});
    Follow();
}
