#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QThread>
#include <functional>
#include <memory>

// A private X server (Xvfb on a free display it chooses itself), optionally with the
// openbox window manager, and the xdotool and import commands run against it.
class XSession {
  public:
    XSession() = default;
    ~XSession() { Stop(); }
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts Xvfb with a 1280 x 1024 screen; false when it does not come up.
    bool Start(bool windowManager) {
        server_ = std::make_unique<QProcess>();
        server_->setProgram(QStringLiteral("Xvfb"));
        // -displayfd 1: the server picks a free display and writes its number to stdout.
        // -noreset: the server stays as it is when its last client goes (a program killed
        // without a window manager), so that the next start finds it.
        server_->setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"),
                               QStringLiteral("-screen"), QStringLiteral("0"),
                               QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp"), QStringLiteral("-noreset")});
        server_->start();
        if (!server_->waitForStarted(5000)) return false;
        QByteArray number;
        QElapsedTimer timer;
        timer.start();
        while (!number.contains('\n') && timer.elapsed() < 10000) {
            server_->waitForReadyRead(200);
            number += server_->readAllStandardOutput();
        }
        if (!number.contains('\n')) return false;
        display_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
        if (!windowManager) return true;

        wm_ = std::make_unique<QProcess>();
        wm_->setProcessEnvironment(Environment());
        wm_->start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        if (!wm_->waitForStarted(5000)) return false;
        // The window manager is ready when it announces itself on the root window.
        while (timer.elapsed() < 15000) {
            if (Run(QStringLiteral("xprop"),
                    {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                    .contains("window id"))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    void Stop() {
        for (auto* process : {wm_.get(), server_.get()}) End(process);
        wm_.reset();
        server_.reset();
    }

    // Asks a process to end, and ends it when it does not.
    static void End(QProcess* process) {
        if (!process || process->state() == QProcess::NotRunning) return;
        process->terminate();
        if (!process->waitForFinished(3000)) {
            process->kill();
            process->waitForFinished(2000);
        }
    }

    // A copy of the program with its skin in folder, as an installation holds it.
    static bool InstallProgram(const QString& folder) {
        const QDir target(folder);
        if (!QFile::copy(QStringLiteral(HEDGEROW_BINARY),
                         target.filePath(QStringLiteral("hedgerow"))))
            return false;
        QFile::setPermissions(target.filePath(QStringLiteral("hedgerow")),
                              QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
        target.mkpath(QStringLiteral("Data"));
        const QDir skin(QStringLiteral(HEDGEROW_SKIN_DIR));
        for (const QString& name : skin.entryList({QStringLiteral("*.bmp")}, QDir::Files))
            QFile::copy(skin.filePath(name), target.filePath(QStringLiteral("Data/") + name));
        return true;
    }

    const QString& Display() const { return display_; }

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), display_);
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        return env;
    }

    // Runs a command against the display and returns its standard output.
    QByteArray Run(const QString& program, const QStringList& arguments,
                   int* exitCode = nullptr) const {
        QProcess process;
        process.setProcessEnvironment(Environment());
        process.start(program, arguments);
        process.waitForFinished(15000);
        if (exitCode)
            *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return process.readAllStandardOutput();
    }

    QByteArray Xdotool(const QStringList& arguments, int* exitCode = nullptr) const {
        return Run(QStringLiteral("xdotool"), arguments, exitCode);
    }

    // The visible windows of a process, as X window ids.
    QStringList VisibleWindows(qint64 pid) const {
        const QByteArray out = Xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                        QStringLiteral("--pid"), QString::number(pid)});
        return QString::fromLatin1(out).split(u'\n', Qt::SkipEmptyParts);
    }

    // The first visible window of a running process whose geometry passes fits; empty
    // when none appears within ms or the process ends.
    QString WaitForWindow(const QProcess& process, const std::function<bool(const QRect&)>& fits,
                          int ms = 15000) const {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms && process.state() == QProcess::Running) {
            for (const QString& window : VisibleWindows(process.processId())) {
                const QRect geometry = Geometry(window);
                if (geometry.width() > 0 && fits(geometry)) return window;
            }
            QThread::msleep(100);
        }
        return {};
    }

    QRect Geometry(const QString& window) const {
        const QByteArray out =
            Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
        QRect rect;
        for (const QByteArray& line : out.split('\n')) {
            const QList<QByteArray> pair = line.split('=');
            if (pair.size() != 2) continue;
            const int value = pair[1].toInt();
            if (pair[0] == "X") rect.moveLeft(value);
            if (pair[0] == "Y") rect.moveTop(value);
            if (pair[0] == "WIDTH") rect.setWidth(value);
            if (pair[0] == "HEIGHT") rect.setHeight(value);
        }
        return rect;
    }

    // The whole screen.
    QImage Screenshot() const {
        const QByteArray png =
            Run(QStringLiteral("import"),
                {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
        return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
    }

  private:
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> wm_;
    QString display_;
};
