#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QThread>
#include <memory>

#include "e2e/XSession.h"
#include "support/TempDir.h"

// A private Wayland compositor: weston on its headless backend, with its socket in a
// runtime folder of its own.
class WestonSession {
  public:
    WestonSession() = default;
    ~WestonSession() { Stop(); }
    WestonSession(const WestonSession&) = delete;
    WestonSession& operator=(const WestonSession&) = delete;

    // Why Wayland clients cannot be run here; empty when they can.
    static QString Missing() {
        if (QStandardPaths::findExecutable(QStringLiteral("weston")).isEmpty())
            return QStringLiteral("weston is not installed");
        const QDir plugins(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                           QStringLiteral("/platforms"));
        if (plugins.entryList({QStringLiteral("*wayland*")}, QDir::Files).isEmpty())
            return QStringLiteral("Qt's Wayland platform (qt6-wayland) is not installed");
        return {};
    }

    // Starts weston with a 1280 x 1024 output; false when its socket does not appear.
    bool Start() {
        QFile::setPermissions(runtime_.Path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        weston_ = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.Path());
        weston_->setProcessEnvironment(env);
        weston_->setProcessChannelMode(QProcess::MergedChannels);
        weston_->start(
            QStringLiteral("weston"),
            {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--socket=") + kSocket,
             QStringLiteral("--width=1280"), QStringLiteral("--height=1024"),
             QStringLiteral("--idle-time=0"), QStringLiteral("--shell=desktop-shell.so")});
        if (!weston_->waitForStarted(5000)) return false;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            if (QFileInfo::exists(runtime_.File(kSocket))) return true;
            if (weston_->state() == QProcess::NotRunning) return false;
            QThread::msleep(100);
        }
        return false;
    }

    void Stop() { XSession::End(weston_.get()); }

    QString Log() const { return weston_ ? QString::fromLocal8Bit(weston_->readAll()) : QString(); }

    // The environment of a native Wayland client of this compositor.
    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.Path());
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), kSocket);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        env.remove(QStringLiteral("DISPLAY"));
        return env;
    }

  private:
    static constexpr const char* kSocket = "hedgerow-test";
    TempDir runtime_;
    std::unique_ptr<QProcess> weston_;
};
