// The installed program: `cmake --install` into a temporary prefix that is then made
// read-only, started under Xvfb with a temporary home. Its skin comes from the prefix's
// share folder, and everything it writes goes to the user's folders.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>

#include "e2e/XSession.h"
#include "support/TempDir.h"

namespace {

// Every entry below folder with its size and time of change.
QMap<QString, QString> Listing(const QString& folder) {
    QMap<QString, QString> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries.insert(info.filePath(), QString::number(info.size()) + u' ' +
                                            info.lastModified().toString(Qt::ISODateWithMs));
    }
    return entries;
}

int RunCommand(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000)) return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// Pixels that are not the plain white of a window without its skin.
int SkinPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) != qRgb(255, 255, 255);
    return count;
}

class InstalledProgram : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.Start(false)) << "Xvfb did not start";
        ASSERT_EQ(RunCommand(QStringLiteral(HEDGEROW_CMAKE),
                             {QStringLiteral("--install"), QStringLiteral(HEDGEROW_BUILD_DIR),
                              QStringLiteral("--prefix"), Prefix()}),
                  0);
        ASSERT_EQ(RunCommand(QStringLiteral("chmod"),
                             {QStringLiteral("-R"), QStringLiteral("a-w"), Prefix()}),
                  0);
    }

    void TearDown() override {
        XSession::End(app.get());
        x.Stop();
        RunCommand(QStringLiteral("chmod"),
                   {QStringLiteral("-R"), QStringLiteral("u+w"), Prefix()});
    }

    QString Prefix() const { return root.File(QStringLiteral("prefix")); }
    QString Home() const { return root.File(QStringLiteral("home")); }

    void Launch() {
        QDir().mkpath(Home());
        QDir().mkpath(root.File(QStringLiteral("tmp")));
        QProcessEnvironment env = x.Environment();
        env.insert(QStringLiteral("HOME"), Home());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), Home() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), Home() + QStringLiteral("/data"));
        env.insert(QStringLiteral("TMPDIR"), root.File(QStringLiteral("tmp")));
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        app = std::make_unique<QProcess>();
        app->setProcessEnvironment(env);
        app->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app->start(Prefix() + QStringLiteral("/bin/hedgerow"), {});
        app->waitForStarted();
    }

    // Waits for a small box of the program, gives it the focus and presses key.
    void Answer(const QString& key) {
        const QString box = x.WaitForWindow(*app, [](const QRect& g) { return g.width() < 600; });
        ASSERT_FALSE(box.isEmpty()) << "no message box appeared";
        QThread::msleep(400);
        x.Xdotool({QStringLiteral("windowfocus"), box});
        QThread::msleep(200);
        x.Xdotool({QStringLiteral("key"), key});
    }

    XSession x;
    TempDir root;
    std::unique_ptr<QProcess> app;
};

TEST_F(InstalledProgram, KeepsItsSettingsInTheConfigFolderAndWritesNothingIntoThePrefix) {
    const QMap<QString, QString> installed = Listing(Prefix());
    ASSERT_TRUE(installed.contains(Prefix() + QStringLiteral("/share/hedgerow/Data/Back.bmp")));
    Launch();
    Answer(QStringLiteral("y"));       // the first-start question: associate
    Answer(QStringLiteral("Return"));  // the association's report
    const QString main = x.WaitForWindow(*app, [](const QRect& g) { return g.width() >= 600; });
    ASSERT_FALSE(main.isEmpty()) << "no main window";
    QThread::msleep(600);
    const QRect geometry = x.Geometry(main);
    // The title band: white unless the skin was read from the installed share folder.
    const QRect band(geometry.left(), geometry.top() + 5, geometry.width() - 100, 25);
    EXPECT_GT(SkinPixels(x.Screenshot().copy(band)), band.width() * band.height() * 9 / 10)
        << "the skin was not drawn from the installed share folder";
    EXPECT_TRUE(QFileInfo(Home() + QStringLiteral("/data/hedgerow/Data/Hedgerow.lock")).exists())
        << "the folder guard is not in the user's data folder";

    x.Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), main,
               QString::number(geometry.width() - 20), QStringLiteral("20")});
    QThread::msleep(150);
    x.Xdotool({QStringLiteral("click"), QStringLiteral("1")});  // the close button
    ASSERT_TRUE(app->waitForFinished(15000)) << "the program did not end";

    QFile settings(Home() + QStringLiteral("/config/hedgerow/Hedgerow.ini"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly)) << "no settings in the configuration folder";
    EXPECT_TRUE(settings.readAll().contains("iniFileVer=1.06\r\n"));
    const QFileInfo data(Home() + QStringLiteral("/data/hedgerow/Data"));
    EXPECT_TRUE(data.isDir());
    EXPECT_EQ(data.permissions() & (QFile::ReadGroup | QFile::ReadOther), 0)
        << "the data folder is not private";
    EXPECT_TRUE(QDir(data.filePath()).entryList({QStringLiteral("*.tmp")}).isEmpty());
    QFile mimeApps(Home() + QStringLiteral("/config/mimeapps.list"));
    ASSERT_TRUE(mimeApps.open(QIODevice::ReadOnly)) << "the association was not made";
    EXPECT_TRUE(
        mimeApps.readAll().contains("application/x-qlm-outline=invalid.hedgerow.Hedgerow.desktop"));
    EXPECT_EQ(Listing(Prefix()), installed) << "the program wrote into its installation";
}

}  // namespace
