// The real program typed into through a real Japanese input method: fcitx5 with mozc,
// in a private X server and a private D-Bus session. Romaji is typed with xdotool,
// converted with Space and committed with Return, as a user does. Skipped when fcitx5,
// mozc or fcitx5's Qt 6 module are not installed.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLibraryInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QThread>
#include <memory>

#include "e2e/XSession.h"
#include "support/TempDir.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 700;
const QString kWord = QString::fromUtf16(u"日本語");

// Places in the main window, from its top left corner.
const QPoint kEditor(800, 300);
const QPoint kSecondRow(210, 161);
const QPoint kViewMenu(171, 49);
const QPoint kReplaceEntry(31, 40);  // in the drop-down of the view menu
const QRect kFirstEditorLine(365, 130, 500, 30);

QByteArray Cp932(const QString& text) {
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

// Pixels of a that differ from b at the same place by more than a small tolerance.
int DifferentPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < std::min(a.height(), b.height()); ++y)
        for (int x = 0; x < std::min(a.width(), b.width()); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                    std::abs(qBlue(p) - qBlue(q)) >
                24)
                ++count;
        }
    return count;
}

// What is missing for the input method to run here; empty when nothing is.
QString MissingPieces() {
    QStringList missing;
    for (const char* tool :
         {"fcitx5", "fcitx5-remote", "dbus-daemon", "dbus-send", "xdotool", "import"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            missing << QString::fromLatin1(tool);
    const QStringList files = {
        QStringLiteral("/usr/lib/mozc/mozc_server"),
        QStringLiteral("/usr/share/fcitx5/addon/mozc.conf"),
        QLibraryInfo::path(QLibraryInfo::PluginsPath) +
            QStringLiteral("/platforminputcontexts/libfcitx5platforminputcontextplugin.so")};
    for (const QString& file : files)
        if (!QFile::exists(file)) missing << file;
    // mozc's server refuses to run as root: the whole session then runs as nobody.
    if (geteuid() == 0) {
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            missing << QStringLiteral("setpriv");
        if (!getpwnam("nobody")) missing << QStringLiteral("a user named nobody");
    }
    return missing.join(QStringLiteral(", "));
}

class InputMethod : public testing::Test {
  protected:
    void SetUp() override {
        const QString missing = MissingPieces();
        if (!missing.isEmpty())
            GTEST_SKIP() << "no Japanese input method to type with: missing "
                         << missing.toStdString();
        if (geteuid() == 0) {
            const passwd* nobody = getpwnam("nobody");
            uid_ = nobody->pw_uid;
            gid_ = nobody->pw_gid;
        }
        ASSERT_TRUE(x.Start(false)) << "Xvfb did not start";
        PrepareProgram();
        PrepareHome();
        for (const TempDir* dir : {&program, &home, &runtime, &documents}) GiveAway(dir->Path());
        ASSERT_TRUE(StartBus()) << "dbus-daemon did not start";
        ASSERT_TRUE(StartMozc()) << "mozc_server did not start: " << Log("mozc.log").toStdString();
        ASSERT_TRUE(StartFcitx()) << "fcitx5 did not load mozc: "
                                  << Log("fcitx5.log").toStdString();
    }

    void TearDown() override {
        if (HasFailure()) KeepEvidence();
        // The program first: it talks to the input method until it ends.
        for (QProcess* process : {app_.get(), fcitx_.get(), mozc_.get(), bus_.get()})
            XSession::End(process);
        x.Stop();
    }

    void PrepareProgram() { ASSERT_TRUE(XSession::InstallProgram(program.Path())); }

    // One group with the US keyboard and mozc, mozc switched on in every new field.
    void PrepareHome() {
        home.Write(".config/fcitx5/profile",
                   "[Groups/0]\nName=Default\nDefault Layout=us\nDefaultIM=mozc\n\n"
                   "[Groups/0/Items/0]\nName=keyboard-us\nLayout=\n\n"
                   "[Groups/0/Items/1]\nName=mozc\nLayout=\n\n"
                   "[GroupOrder]\n0=Default\n");
        home.Write(".config/fcitx5/config",
                   "[Behavior]\nActiveByDefault=True\nShareInputState=No\n");
    }

    // Under root, every file of the session belongs to the user the session runs as.
    void GiveAway(const QString& path) const {
        if (geteuid() != 0) return;
        [[maybe_unused]] int ignored = chown(QFile::encodeName(path).constData(), uid_, gid_);
        QDirIterator it(path, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) ignored = chown(QFile::encodeName(it.next()).constData(), uid_, gid_);
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = x.Environment();
        env.insert(QStringLiteral("HOME"), home.Path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.File(".config"));
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.File(".local/share"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), home.File(".cache"));
        env.insert(QStringLiteral("XDG_STATE_HOME"), home.File(".local/state"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.Path());
        env.insert(QStringLiteral("TMPDIR"), runtime.Path());
        for (const char* name :
             {"QT_IM_MODULE", "XMODIFIERS", "GTK_IM_MODULE", "DBUS_SESSION_BUS_ADDRESS"})
            env.remove(QString::fromLatin1(name));
        if (!busAddress_.isEmpty())
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress_);
        return env;
    }

    // A process of the session, as the session's user.
    std::unique_ptr<QProcess> Spawn(const QString& program, const QStringList& arguments,
                                    const QProcessEnvironment& env, const QString& log = {}) const {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        if (!log.isEmpty()) {
            process->setProcessChannelMode(QProcess::MergedChannels);
            process->setStandardOutputFile(runtime.File(log));
        }
        if (geteuid() == 0) {
            // setpriv replaces itself with the program: the process id stays the program's.
            process->setProgram(QStringLiteral("setpriv"));
            process->setArguments(QStringList{QStringLiteral("--reuid=%1").arg(uid_),
                                              QStringLiteral("--regid=%1").arg(gid_),
                                              QStringLiteral("--clear-groups"), program} +
                                  arguments);
        } else {
            process->setProgram(program);
            process->setArguments(arguments);
        }
        process->start();
        process->waitForStarted(5000);
        return process;
    }

    // Runs a short command of the session and returns its output.
    QString Ask(const QString& program, const QStringList& arguments) const {
        const std::unique_ptr<QProcess> process = Spawn(program, arguments, Environment());
        process->waitForFinished(5000);
        return QString::fromUtf8(process->readAllStandardOutput()).trimmed();
    }

    static bool WaitFor(const std::function<bool()>& condition, int ms) {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > ms) return false;
            QThread::msleep(100);
        }
        return true;
    }

    bool StartBus() {
        bus_ = Spawn(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--session"), QStringLiteral("--nofork"),
                      QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")},
                     Environment());
        QByteArray out;
        WaitFor(
            [&] {
                bus_->waitForReadyRead(100);
                out += bus_->readAllStandardOutput();
                return out.contains('\n') || bus_->state() == QProcess::NotRunning;
            },
            10000);
        busAddress_ = QString::fromUtf8(out.trimmed());
        return !busAddress_.isEmpty();
    }

    // fcitx5's mozc addon waits for the server when it loads: the server comes first.
    bool StartMozc() {
        mozc_ = Spawn(QStringLiteral("/usr/lib/mozc/mozc_server"), {}, Environment(),
                      QStringLiteral("mozc.log"));
        return WaitFor([&] { return QFile::exists(home.File(".config/mozc/.session.ipc")); },
                       10000);
    }

    bool StartFcitx() {
        fcitx_ = Spawn(QStringLiteral("fcitx5"),
                       {QStringLiteral("--disable"),
                        QStringLiteral("notificationitem,kimpanel,wayland,waylandim,clipboard")},
                       Environment(), QStringLiteral("fcitx5.log"));
        return WaitFor(
                   [&] {
                       return fcitx_->state() == QProcess::NotRunning ||
                              (Log("fcitx5.log").contains(QStringLiteral("Loaded addon mozc")) &&
                               Ask(QStringLiteral("dbus-send"),
                                   {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                                    QStringLiteral("--dest=org.freedesktop.DBus"),
                                    QStringLiteral("/"),
                                    QStringLiteral("org.freedesktop.DBus.NameHasOwner"),
                                    QStringLiteral("string:org.fcitx.Fcitx5")})
                                   .contains(QStringLiteral("true")));
                   },
                   20000) &&
               fcitx_->state() == QProcess::Running;
    }

    QString Log(const QString& name) const { return QString::fromUtf8(runtime.Read(name)); }

    void WriteSettings(const QString& document) {
        QByteArray bytes;
        for (const QString& line :
             {QStringLiteral("iniFileVer=1.06"), QStringLiteral("FormLeft=40"),
              QStringLiteral("FormTop=30"), QStringLiteral("FormWidth=%1").arg(kWidth),
              QStringLiteral("FormHeight=%1").arg(kHeight), QStringLiteral("AutoLoad=1"),
              QStringLiteral("AutoSave=1"), QStringLiteral("AutoBackup=0"),
              QStringLiteral("EditFile=") + document})
            bytes += line.toUtf8() + "\r\n";
        program.Write("Hedgerow.ini", bytes);
    }

    // A document of two top-level items, a and b, with the given texts; the program
    // loads it at start and saves it when it is closed after a change.
    QString WriteDocument(const QString& textOfA, const QString& textOfB) {
        const QString path = documents.File("memo.qlo");
        documents.Write("memo.qlo",
                        "qlm oe data form 1.3\r\nTree=2,0=1,1=1\r\nnil:a:0\r\nnil:b:0\r\n" +
                            Cp932(textOfA) + "\r\n" + Cp932(textOfB) + "\r\n");
        WriteSettings(path);
        return path;
    }

    // Starts the program with fcitx5 as its input method; its main window.
    QString Launch() {
        QProcessEnvironment env = Environment();
        env.insert(QStringLiteral("QT_IM_MODULE"), QStringLiteral("fcitx"));
        env.insert(QStringLiteral("XMODIFIERS"), QStringLiteral("@im=fcitx"));
        env.insert(QStringLiteral("GTK_IM_MODULE"), QStringLiteral("fcitx"));
        GiveAway(program.Path());
        GiveAway(documents.Path());
        app_ = Spawn(program.File("hedgerow"), {}, env, QStringLiteral("hedgerow.log"));
        const QString window = WaitForWindow([](const QRect& g) { return g.width() >= 600; });
        QThread::msleep(400);
        return window;
    }

    QString WaitForWindow(const std::function<bool(const QRect&)>& fits, int ms = 15000) const {
        QString found;
        WaitFor(
            [&] {
                for (const QString& window : x.VisibleWindows(app_->processId()))
                    if (const QRect geometry = x.Geometry(window);
                        geometry.width() > 0 && fits(geometry)) {
                        found = window;
                        return true;
                    }
                return app_->state() != QProcess::Running;
            },
            ms);
        return found;
    }

    void Click(const QString& window, const QPoint& point) const {
        x.Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                   QString::number(point.x()), QString::number(point.y())});
        QThread::msleep(150);
        x.Xdotool({QStringLiteral("click"), QStringLiteral("1")});
        QThread::msleep(400);
    }

    void Type(const QString& text) const {
        x.Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"), text});
        QThread::msleep(400);
    }

    void Key(const QString& key) const {
        x.Xdotool({QStringLiteral("key"), key});
        QThread::msleep(400);
    }

    // The field that has the focus now types through mozc; fcitx5 reports the state of
    // the focused field: 2 is on.
    ::testing::AssertionResult MozcIsOn() const {
        QString state, name;
        WaitFor(
            [&] {
                state = Ask(QStringLiteral("fcitx5-remote"), {});
                if (state == QStringLiteral("1"))
                    Ask(QStringLiteral("fcitx5-remote"), {QStringLiteral("-o")});
                name = Ask(QStringLiteral("fcitx5-remote"), {QStringLiteral("-n")});
                return state == QStringLiteral("2") && name == QStringLiteral("mozc");
            },
            5000);
        if (state == QStringLiteral("2") && name == QStringLiteral("mozc"))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "fcitx5 state " << state.toStdString() << ", input method " << name.toStdString();
    }

    // Closes the program with its close button, which saves the changed document.
    ::testing::AssertionResult CloseAndSave(const QString& window) const {
        Click(window, QPoint(x.Geometry(window).width() - 20, 20));
        if (!app_->waitForFinished(15000))
            return ::testing::AssertionFailure() << "the program did not end";
        return ::testing::AssertionSuccess();
    }

    void KeepEvidence() {
        const QString folder = QStringLiteral(HEDGEROW_E2E_ARTIFACTS);
        QDir().mkpath(folder);
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        const QString name =
            QString::fromLatin1(info->test_suite_name()) + u'.' + QString::fromLatin1(info->name());
        const QImage now = x.Screenshot();
        if (!now.isNull()) now.save(folder + u'/' + name + QStringLiteral("-at-failure.png"));
        for (const char* log : {"fcitx5.log", "mozc.log", "hedgerow.log"})
            QFile::copy(runtime.File(QString::fromLatin1(log)),
                        folder + u'/' + name + u'-' + QString::fromLatin1(log));
    }

    XSession x;
    TempDir program;
    TempDir home;
    TempDir runtime;
    TempDir documents;
    uid_t uid_ = 0;
    gid_t gid_ = 0;
    QString busAddress_;
    std::unique_ptr<QProcess> bus_, mozc_, fcitx_, app_;
};

// The reading shows while it is typed; the converted word is an edit of the item text:
// it reaches the item's file when another item is selected, and the saved document.
TEST_F(InputMethod, EditorTakesTheConvertedWord) {
    WriteDocument(QStringLiteral("x"), QStringLiteral("y"));
    const QString main = Launch();
    ASSERT_FALSE(main.isEmpty()) << "no main window: " << Log("hedgerow.log").toStdString();
    Click(main, kEditor);
    ASSERT_TRUE(MozcIsOn());

    const QRect line = kFirstEditorLine.translated(x.Geometry(main).topLeft());
    const QImage before = x.Screenshot().copy(line);
    Type(QStringLiteral("nihongo"));
    EXPECT_GT(DifferentPixels(before, x.Screenshot().copy(line)), 50) << "the reading is not shown";
    Key(QStringLiteral("space"));
    Key(QStringLiteral("Return"));

    Click(main, kSecondRow);
    const QByteArray expected = "x" + Cp932(kWord) + "\r\n";
    QStringList files;
    WaitFor(
        [&] {
            files.clear();
            for (const QString& name :
                 QDir(program.File("Data")).entryList({QStringLiteral("*.tmp")}))
                if (program.Read("Data/" + name) == expected) files << name;
            return !files.isEmpty();
        },
        3000);
    EXPECT_EQ(files.size(), 1) << "no item file holds the converted word";

    ASSERT_TRUE(CloseAndSave(main));
    EXPECT_TRUE(documents.Read("memo.qlo").endsWith("\r\nx" + Cp932(kWord) + "\r\ny\r\n"))
        << documents.Read("memo.qlo").toHex(' ').constData();
}

// F2 opens the label editor; the word converted in it becomes the label, and changes
// the document.
TEST_F(InputMethod, LabelEditorTakesTheConvertedWord) {
    WriteDocument(QStringLiteral("x"), QStringLiteral("y"));
    const QString main = Launch();
    ASSERT_FALSE(main.isEmpty()) << "no main window: " << Log("hedgerow.log").toStdString();
    Click(main, kSecondRow);
    Key(QStringLiteral("F2"));
    ASSERT_TRUE(MozcIsOn());
    Type(QStringLiteral("nihongo"));
    Key(QStringLiteral("space"));
    Key(QStringLiteral("Return"));  // commits the word
    Key(QStringLiteral("Return"));  // confirms the label

    ASSERT_TRUE(CloseAndSave(main));
    EXPECT_TRUE(
        documents.Read("memo.qlo").contains("\r\nnil:a:0\r\nnil:" + Cp932(kWord) + ":0\r\n"))
        << documents.Read("memo.qlo").toHex(' ').constData();
}

// Both fields of the replace dialog take what the input method commits: the reading
// committed as it is, and the converted word.
TEST_F(InputMethod, ReplaceDialogFieldsTakeCommittedText) {
    WriteDocument(QString::fromUtf16(u"にほんごとにほんご"), QStringLiteral("y"));
    const QString main = Launch();
    ASSERT_FALSE(main.isEmpty()) << "no main window: " << Log("hedgerow.log").toStdString();
    Click(main, kViewMenu);
    const QString menu = WaitForWindow([](const QRect& g) { return g.width() < 300; }, 3000);
    ASSERT_FALSE(menu.isEmpty()) << "the view menu did not open";
    Click(menu, kReplaceEntry);
    const QString dialog =
        WaitForWindow([](const QRect& g) { return g.width() < 600 && g.height() > 80; }, 3000);
    ASSERT_FALSE(dialog.isEmpty()) << "the replace dialog did not open";
    ASSERT_TRUE(MozcIsOn());

    Type(QStringLiteral("nihongo"));
    Key(QStringLiteral("Return"));  // the reading itself
    Key(QStringLiteral("Tab"));
    Type(QStringLiteral("nihongo"));
    Key(QStringLiteral("space"));
    Key(QStringLiteral("Return"));
    Key(QStringLiteral("alt+a"));  // replace all

    ASSERT_TRUE(CloseAndSave(main));
    EXPECT_TRUE(
        documents.Read("memo.qlo")
            .endsWith("\r\n" + Cp932(kWord + QString::fromUtf16(u"と") + kWord) + "\r\ny\r\n"))
        << documents.Read("memo.qlo").toHex(' ').constData();
}

}  // namespace
