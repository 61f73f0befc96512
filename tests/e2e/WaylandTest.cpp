// The real program as a native Wayland client of weston's headless compositor. A
// Wayland client gets no injected input from xdotool, so these checks need none: the
// window appears with its stored size, a document named on the command line opens,
// and a SIGTERM ends the program with its settings written. Skipped where weston or
// Qt's Wayland platform is missing or weston does not start.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>

#include "e2e/WestonSession.h"
#include "e2e/XSession.h"
#include "support/TempDir.h"

namespace {

// Waits until the program's Wayland log shows a pattern; returns the log so far.
QString WaitForLog(QProcess& app, QString& log, const QRegularExpression& pattern) {
    QElapsedTimer timer;
    timer.start();
    while (!pattern.match(log).hasMatch() && timer.elapsed() < 20000 &&
           app.state() == QProcess::Running) {
        app.waitForReadyRead(200);
        log += QString::fromLocal8Bit(app.readAllStandardError());
    }
    return log;
}

TEST(Wayland, NativeWindowKeepsItsStoredSizeAndTheStoredPosition) {
    if (const QString missing = WestonSession::Missing(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    WestonSession weston;
    if (!weston.Start()) GTEST_SKIP() << "weston did not start: " << weston.Log().toStdString();

    TempDir program;
    ASSERT_TRUE(XSession::InstallProgram(program.Path()));
    program.Write("Hedgerow.ini",
                  "iniFileVer=1.06\r\nAutoLoad=0\r\nAutoSave=0\r\nFormTop=77\r\nFormLeft=55\r\n"
                  "FormHeight=700\r\nFormWidth=900\r\nTreeWidth=200\r\n");
    TempDir documents;
    documents.Write("wayland.qlo",
                    "qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:on wayland:0\r\nhello\r\n");

    QProcess app;
    QProcessEnvironment env = weston.Environment();
    env.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
    TempDir temp;  // a single-instance guard of its own
    env.insert(QStringLiteral("TMPDIR"), temp.Path());
    app.setProcessEnvironment(env);
    app.start(program.File("hedgerow"), {documents.File("wayland.qlo")});
    ASSERT_TRUE(app.waitForStarted(5000));
    QString log;
    // A top-level of the xdg shell, 900 x 700 as stored, showing a buffer.
    WaitForLog(app, log,
               QRegularExpression(QStringLiteral("wl_surface@\\d+\\.attach\\(wl_buffer")));
    ASSERT_TRUE(log.contains(QStringLiteral("xdg_wm_base")))
        << "not a Wayland client: " << log.left(2000).toStdString();
    EXPECT_TRUE(log.contains(QRegularExpression(QStringLiteral("xdg_toplevel@\\d+"))));
    EXPECT_TRUE(log.contains(QStringLiteral("set_window_geometry(0, 0, 900, 700)")));
    EXPECT_TRUE(log.contains(QStringLiteral("wl_buffer"))) << "no window shown";

    app.terminate();  // SIGTERM
    ASSERT_TRUE(app.waitForFinished(10000));
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    const QByteArray ini = program.Read("Hedgerow.ini");
    // The document from the command line was the open one.
    EXPECT_TRUE(
        ini.contains("\r\nEditFile=" + QFile::encodeName(documents.File("wayland.qlo")) + "\r\n"))
        << ini.constData();
    // The size is stored; the position, which a Wayland client cannot know, stays.
    EXPECT_TRUE(ini.contains("\r\nFormWidth=900\r\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("\r\nFormHeight=700\r\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("\r\nFormTop=77\r\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("\r\nFormLeft=55\r\n")) << ini.constData();
    EXPECT_TRUE(ini.contains("\r\nMaximized=0\r\n")) << ini.constData();  // written at the end
}

}  // namespace
