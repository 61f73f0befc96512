// The real program in a real X server (Xvfb), driven with xdotool like a user, once
// without a window manager and once with openbox. Screenshots of failed tests are
// kept in the build folder's e2e-artifacts.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <memory>

#include "e2e/XSession.h"
#include "support/TempDir.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 700;

int Floor10(int v) { return v / 10 * 10; }

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

// Pixels of an image that differ from its own most common colour: the ink on a band.
// Pixels dark enough to be text: the hint text is grey (128) and the paper behind it
// is light, with a grain of its own.
int InkPixels(const QImage& band) {
    int ink = 0;
    for (int y = 0; y < band.height(); ++y)
        for (int x = 0; x < band.width(); ++x) ink += qGray(band.pixel(x, y)) < 200 ? 1 : 0;
    return ink;
}

// Pixels of the menus' red highlight; smoothed text mixes it with the white panel.
int RedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += qRed(p) > qGreen(p) + 80 && std::abs(qGreen(p) - qBlue(p)) < 16 ? 1 : 0;
        }
    return count;
}

class RealWindow : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.Start(GetParam()))
            << "Xvfb" << (GetParam() ? " with openbox" : "") << " did not start";
        ASSERT_TRUE(XSession::InstallProgram(program.Path()));
        QFile::setPermissions(runtime.Path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void TearDown() override {
        if (HasFailure()) KeepScreenshots();
        for (auto& process : processes) {
            if (process->state() == QProcess::NotRunning) continue;
            process->kill();
            process->waitForFinished(3000);
        }
        x.Stop();
    }

    void KeepScreenshots() {
        const QString folder = QStringLiteral(HEDGEROW_E2E_ARTIFACTS);
        QDir().mkpath(folder);
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        QString name =
            QString::fromLatin1(info->test_suite_name()) + u'.' + QString::fromLatin1(info->name());
        name.replace(u'/', u'_');
        const QImage now = x.Screenshot();
        if (!now.isNull()) now.save(folder + u'/' + name + QStringLiteral("-at-failure.png"));
        for (auto it = shots.cbegin(); it != shots.cend(); ++it)
            it.value().save(folder + u'/' + name + u'-' + it.key() + QStringLiteral(".png"));
    }

    // Settings that skip the first-start question and place the window.
    void WriteSettings(const QStringList& extra) {
        QStringList lines = {QStringLiteral("iniFileVer=1.06"),
                             QStringLiteral("FormLeft=40"),
                             QStringLiteral("FormTop=30"),
                             QStringLiteral("FormWidth=%1").arg(kWidth),
                             QStringLiteral("FormHeight=%1").arg(kHeight),
                             QStringLiteral("AutoLoad=0"),
                             QStringLiteral("AutoSave=0"),
                             QStringLiteral("AutoBackup=0")};
        for (const QString& line : extra) {
            const QString name = line.section(u'=', 0, 0) + u'=';
            lines.erase(std::remove_if(lines.begin(), lines.end(),
                                       [&](const QString& l) { return l.startsWith(name); }),
                        lines.end());
            lines << line;
        }
        QByteArray bytes;
        for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
        program.Write("Hedgerow.ini", bytes);
    }

    QProcess* Launch(const QStringList& arguments = {}) {
        auto process = std::make_unique<QProcess>();
        process->setArguments(arguments);
        QProcessEnvironment env = x.Environment();
        env.insert(QStringLiteral("TMPDIR"), temp.Path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.Path());
        process->setProcessEnvironment(env);
        process->setProgram(program.File("hedgerow"));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start();
        // Without an event loop QProcess learns its state only in its wait calls.
        process->waitForStarted();
        processes.push_back(std::move(process));
        return processes.back().get();
    }

    // The first visible window of the process whose width passes the test.
    QString WaitForWindow(QProcess* process, const std::function<bool(const QRect&)>& fits,
                          int ms = 15000) {
        return x.WaitForWindow(*process, fits, ms);
    }

    QString WaitForMainWindow(QProcess* process) {
        const QString window =
            WaitForWindow(process, [](const QRect& g) { return g.width() >= 600; });
        if (window.isEmpty())
            ADD_FAILURE() << "no main window; the program "
                          << (process->state() == QProcess::Running
                                  ? std::string("runs")
                                  : "ended with " + std::to_string(process->exitCode()) + " " +
                                        process->errorString().toStdString() + ": " +
                                        process->readAllStandardOutput().toStdString());
        Settle();
        return window;
    }

    static void Settle(int ms = 400) { QThread::msleep(ms); }

    void Move(const QString& window, int X, int Y) {
        x.Xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                   QString::number(X), QString::number(Y)});
        Settle(150);
    }

    void Click(const QString& window, int X, int Y) {
        Move(window, X, Y);
        x.Xdotool({QStringLiteral("click"), QStringLiteral("1")});
        Settle(300);
    }

    // What the window shows now.
    QImage Shot(const QString& window, const QString& name) {
        const QRect geometry = x.Geometry(window);
        const QImage image = x.Screenshot().copy(geometry);
        shots[name] = image;
        return image;
    }

    // A key, or keys like "ctrl+s", typed into the window that has the keyboard.
    void Key(const QString& keys) {
        x.Xdotool({QStringLiteral("key"), keys});
        Settle(300);
    }

    bool WaitForExit(QProcess* process, int ms = 15000) { return process->waitForFinished(ms); }

    QString WindowName(const QString& window) const {
        return QString::fromUtf8(x.Xdotool({QStringLiteral("getwindowname"), window})).trimmed();
    }

    // The visible window of the process titled title, focused; empty when none appears.
    QString WaitForDialog(QProcess* process, const QString& title, int ms = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            for (const QString& window : x.VisibleWindows(process->processId()))
                if (WindowName(window) == title) {
                    Settle();
                    x.Xdotool({QStringLiteral("windowfocus"), window});
                    Settle(200);
                    return window;
                }
            QThread::msleep(100);
        }
        return {};
    }

    // Without a window manager nothing gives the keyboard back to the main window when a
    // dialog closes; a window manager does so by itself.
    void BackTo(const QString& main) {
        x.Xdotool({QStringLiteral("windowfocus"), main});
        Settle();
    }

    // A whole path typed over the name a file dialog suggests, and Enter.
    void TypePath(const QString& path) {
        Key(QStringLiteral("ctrl+a"));
        x.Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), path});
        Settle(200);
        Key(QStringLiteral("Return"));
    }

    XSession x;
    TempDir program;
    TempDir temp;
    TempDir runtime;
    TempDir documents;
    std::vector<std::unique_ptr<QProcess>> processes;
    QMap<QString, QImage> shots;
};

TEST_P(RealWindow, FirstStartAsksTheAssociationQuestionAndNoAnswersIt) {
    QProcess* app = Launch();
    const QString question = WaitForWindow(app, [](const QRect&) { return true; });
    ASSERT_FALSE(question.isEmpty()) << "no window appeared";
    Settle();
    const QRect box = x.Geometry(question);
    Shot(question, QStringLiteral("question"));
    EXPECT_LT(box.width(), 600) << "the first window is not the question box";
    EXPECT_EQ(WindowName(question), QStringLiteral("確認"))
        << "titles are exactly the program's own";
    EXPECT_FALSE(QFile::exists(program.File("Hedgerow.ini")));

    x.Xdotool({QStringLiteral("windowfocus"), question});
    Settle(200);
    x.Xdotool({QStringLiteral("key"), QStringLiteral("n")});
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty()) << "the main window did not appear after the answer";
    EXPECT_FALSE(x.VisibleWindows(app->processId()).contains(question))
        << "the question is still shown";
    EXPECT_EQ(WindowName(main), QStringLiteral("brisbeck outline editor 1.08"));

    const QRect geometry = x.Geometry(main);
    EXPECT_EQ(geometry.topLeft(), QPoint(0, 0))
        << "the very first start begins at the top-left corner";
    Click(main, geometry.width() - 20, 20);  // the close button
    ASSERT_TRUE(WaitForExit(app));
    const QByteArray ini = program.Read("Hedgerow.ini");
    EXPECT_TRUE(ini.contains("iniFileVer=1.06\r\n")) << ini.constData();
}

TEST_P(RealWindow, HoverOverAToolButtonShowsItsActiveLookAndHint) {
    WriteSettings({});
    QProcess* app = Launch();
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    const QRect geometry = x.Geometry(main);
    // The pointer away from the window first.
    x.Xdotool({QStringLiteral("mousemove"), QStringLiteral("1270"), QStringLiteral("1015")});
    Settle();
    const QImage before = Shot(main, QStringLiteral("before"));
    Move(main, 395, 95);  // Item_Cut
    Settle();
    const QImage after = Shot(main, QStringLiteral("after"));

    const QRect button(370, 70, 50, 50);
    const QImage active(program.File("Data/Item_Cut_Active.bmp"));
    const QImage normal(program.File("Data/Item_Cut_Normal.bmp"));
    ASSERT_FALSE(active.isNull());
    const QRect drawn(button.topLeft(), active.size());
    EXPECT_GT(DifferentPixels(before.copy(drawn), after.copy(drawn)), 50)
        << "the button's look did not change";
    EXPECT_LT(DifferentPixels(after.copy(drawn), active.convertToFormat(QImage::Format_RGB32)),
              active.width())
        << "the button does not show its active look";
    EXPECT_LT(DifferentPixels(before.copy(drawn), normal.convertToFormat(QImage::Format_RGB32)),
              normal.width())
        << "the button did not show its normal look before";

    // The hint line: blank before, text after.
    const QRect hint(10, Floor10(geometry.height()) - 20, 400, 15);
    EXPECT_LT(InkPixels(before.copy(hint)), 5) << "the hint line was not blank";
    EXPECT_GT(InkPixels(after.copy(hint)), 40) << "the hint line shows no text";
    EXPECT_GT(DifferentPixels(before.copy(hint), after.copy(hint)), 40);
}

TEST_P(RealWindow, EditedOutlineIsSavedByTheCloseButtonWithAutoSave) {
    const QString document = documents.File("e2e.qlo");
    documents.Write("e2e.qlo", "qlm oe data form 1.3\r\nTree=1,0=0\r\nnil:start:0\r\n");
    WriteSettings({QStringLiteral("AutoSave=1")});
    QProcess* app = Launch({document});
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    Shot(main, QStringLiteral("start"));

    Click(main, 65, 155);  // brother: a second top-level item, selected
    Click(main, 65, 195);  // child: a child of it, selected
    Shot(main, QStringLiteral("items"));
    Click(main, 800, 300);  // into the editor
    x.Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"),
               QStringLiteral("hello e2e")});
    Settle();
    Shot(main, QStringLiteral("typed"));
    Click(main, 40, 325);  // left: the child moves out, after its parent
    Click(main, 70, 295);  // up: and above its former parent
    Shot(main, QStringLiteral("moved"));

    const QRect geometry = x.Geometry(main);
    Click(main, geometry.width() - 20, 20);  // the close button
    ASSERT_TRUE(WaitForExit(app)) << "the program did not end";
    EXPECT_EQ(app->exitCode(), 0);

    QFile saved(document);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly)) << "no document was saved";
    const QList<QByteArray> lines = saved.readAll().split('\n');
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], "qlm oe data form 1.3\r");
    EXPECT_EQ(lines[1], "Tree=3,0=0,1=1,2=0\r");
    for (int i = 2; i < 5; ++i) EXPECT_TRUE(lines[i].startsWith("nil:")) << lines[i].constData();
    EXPECT_EQ(lines[5], "hello e2e\r");

    const QByteArray ini = program.Read("Hedgerow.ini");
    EXPECT_TRUE(ini.contains("\r\nEditFile=" + QFile::encodeName(document) + "\r\n"))
        << ini.constData();
    EXPECT_TRUE(ini.contains("\r\nAutoSave=1\r\n")) << ini.constData();
    EXPECT_TRUE(QDir(program.File("Data")).entryList({QStringLiteral("*.tmp")}).isEmpty())
        << "item text files were left behind";
}

TEST_P(RealWindow, MenuEntryChosenWithThePointerRuns) {
    WriteSettings({QStringLiteral("AutoBackup=0")});
    QProcess* app = Launch();
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    Click(main, 250, 46);  // the "option" menu title
    const QString menu = WaitForWindow(
        app, [](const QRect& g) { return g.width() < 600; }, 3000);
    Shot(main, QStringLiteral("menu"));
    if (menu.isEmpty())
        GTEST_SKIP()
            << "no drop-down menu opened: the menus are not wired into the main window yet";
    Move(menu, 60, 40);
    Click(menu, 60, 57);  // "自動バックアップを有効にする"
    Shot(main, QStringLiteral("chosen"));
    EXPECT_FALSE(x.VisibleWindows(app->processId()).contains(menu)) << "the menu stayed open";

    const QRect geometry = x.Geometry(main);
    Click(main, geometry.width() - 20, 20);
    ASSERT_TRUE(WaitForExit(app));
    const QByteArray ini = program.Read("Hedgerow.ini");
    EXPECT_TRUE(ini.contains("\r\nAutoBackup=1\r\n")) << ini.constData();
}

TEST_P(RealWindow, CtrlSSavesTheDocumentTypedInto) {
    WriteSettings({});
    documents.Write("keys.qlo", "qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:start:0\r\nbegin\r\n");
    QProcess* app = Launch({documents.File("keys.qlo")});
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    Click(main, 600, 300);  // into the editor
    Key(QStringLiteral("ctrl+End"));
    x.Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"),
               QStringLiteral(" typed")});
    Settle(200);
    Key(QStringLiteral("ctrl+s"));
    Shot(main, QStringLiteral("saved"));
    EXPECT_TRUE(documents.Read("keys.qlo").contains("begin typed\r\n"))
        << documents.Read("keys.qlo").constData();
}

// F10 opens the file menu, Down highlights its first entry as the pointer does, Enter
// runs it: "新規作成" leaves an empty outline and no document name.
TEST_P(RealWindow, MenuEntryChosenWithTheKeyboardRuns) {
    WriteSettings({});
    const QByteArray document =
        "qlm oe data form 1.3\r\nTree=2,0=0,1=0\r\nnil:one:0\r\nnil:two:0\r\n";
    documents.Write("menu.qlo", document);
    QProcess* app = Launch({documents.File("menu.qlo")});
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    Click(main, 600, 300);
    const QImage before = Shot(main, QStringLiteral("before"));
    Key(QStringLiteral("F10"));
    const QString menu = WaitForWindow(
        app, [](const QRect& g) { return g.width() < 600; }, 3000);
    ASSERT_FALSE(menu.isEmpty()) << "F10 opened no menu";
    Settle(300);
    Key(QStringLiteral("Down"));
    const QImage highlighted = x.Screenshot().copy(x.Geometry(menu));
    shots[QStringLiteral("highlighted")] = highlighted;
    EXPECT_GT(RedPixels(highlighted.copy(4, 10, highlighted.width() - 8, 15)), 5)
        << "the first entry is not red";
    EXPECT_EQ(RedPixels(highlighted.copy(4, 30, highlighted.width() - 8, 15)), 0);
    const QImage withHint = Shot(main, QStringLiteral("hint"));
    const QRect hint(10, Floor10(x.Geometry(main).height()) - 20, 400, 15);
    EXPECT_GT(DifferentPixels(before.copy(hint), withHint.copy(hint)), 40)
        << "the hint line did not change";

    Key(QStringLiteral("Return"));
    EXPECT_FALSE(x.VisibleWindows(app->processId()).contains(menu)) << "the menu stayed open";
    const QImage after = Shot(main, QStringLiteral("new"));
    const QRect outline(200, 130, 150, 40);  // the rows of the two items
    EXPECT_GT(DifferentPixels(before.copy(outline), after.copy(outline)), 100)
        << "the outline did not change";

    Click(main, x.Geometry(main).width() - 20, 20);  // close: nothing to save, nothing asked
    ASSERT_TRUE(WaitForExit(app));
    const QByteArray ini = program.Read("Hedgerow.ini");
    EXPECT_TRUE(ini.contains("\r\nEditFile=nil\r\n")) << ini.constData();
    EXPECT_EQ(documents.Read("menu.qlo"), document);
}

// Qt's own dialogs speak Japanese too: the file dialog of the open button.
TEST_P(RealWindow, StandardDialogsAreJapanese) {
    WriteSettings({});
    QProcess* app = Launch();
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    Click(main, 95, 95);  // the open button
    QString found;
    QElapsedTimer timer;
    timer.start();
    while (found.isEmpty() && timer.elapsed() < 5000) {
        for (const QString& window : x.VisibleWindows(app->processId()))
            if (window != main) found = window;
        QThread::msleep(100);
    }
    ASSERT_FALSE(found.isEmpty()) << "no file dialog appeared";
    Settle();
    Shot(found, QStringLiteral("dialog"));
    EXPECT_EQ(WindowName(found), QStringLiteral("開く"));
    x.Xdotool({QStringLiteral("windowfocus"), found});
    x.Xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
    Settle();
}

TEST_P(RealWindow, DraggingTheTitleBandMovesTheWindow) {
    WriteSettings({});
    QProcess* app = Launch();
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    const QRect start = x.Geometry(main);
    Move(main, 500, 15);
    x.Xdotool({QStringLiteral("mousedown"), QStringLiteral("1")});
    Settle(200);
    // In small steps, as a hand moves a pointer.
    for (int step = 0; step < 30; ++step) {
        x.Xdotool({QStringLiteral("mousemove_relative"), QStringLiteral("--"), QStringLiteral("4"),
                   QStringLiteral("3")});
        QThread::msleep(15);
    }
    x.Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    Settle();
    const QRect end = x.Geometry(main);
    Shot(main, QStringLiteral("moved"));
    EXPECT_NEAR(end.left() - start.left(), 120, 12)
        << "from " << start.left() << " to " << end.left();
    EXPECT_NEAR(end.top() - start.top(), 90, 12) << "from " << start.top() << " to " << end.top();
    EXPECT_EQ(end.size(), start.size());
}

TEST_P(RealWindow, DoubleClickOnTheTitleBandMaximisesAndRestores) {
    WriteSettings({});
    QProcess* app = Launch();
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    const QRect start = x.Geometry(main);
    Move(main, 500, 15);
    x.Xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
               QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
    Settle();
    EXPECT_EQ(x.Geometry(main).size(), QSize(1280, 1024))
        << "the whole screen is the work area here";
    Move(main, 500, 15);
    x.Xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"),
               QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("1")});
    Settle();
    EXPECT_EQ(x.Geometry(main), start);
}

TEST_P(RealWindow, SecondStartHandsOverAndEnds) {
    WriteSettings({});
    QProcess* first = Launch();
    const QString main = WaitForMainWindow(first);
    ASSERT_FALSE(main.isEmpty());
    QElapsedTimer timer;
    timer.start();
    QProcess* second = Launch();
    ASSERT_TRUE(second->waitForFinished(10000)) << "the second start did not end";
    RecordProperty("second_start_ms", static_cast<int>(timer.elapsed()));
    std::printf("second start ended after %lld ms\n", static_cast<long long>(timer.elapsed()));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_TRUE(x.VisibleWindows(second->processId()).isEmpty());
}

// Ctrl+Shift+F finds a word that only the last item holds: Enter selects the item and
// the word in the editor; once the dialog is closed, typing replaces it.
TEST_P(RealWindow, FindInTheWholeOutlineSelectsTheOnlyItemHoldingTheWord) {
    WriteSettings({});
    documents.Write("find.qlo",
                    "qlm oe data form 1.3\r\nTree=3,0=1,1=1,2=2\r\n"
                    "nil:first:0\r\nnil:second:0\r\nnil:third:0\r\n"
                    "one\r\ntwo\r\nthree\r\nrare zebra here\r\n");
    QProcess* app = Launch({documents.File("find.qlo")});
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    Click(main, 600, 300);  // into the editor
    x.Xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+f")});
    const QString dialog = WaitForWindow(
        app, [](const QRect& g) { return g.width() < 900 && g.width() > 300; }, 5000);
    ASSERT_FALSE(dialog.isEmpty()) << "no find dialog";
    EXPECT_EQ(WindowName(dialog), QStringLiteral("検索"));
    x.Xdotool({QStringLiteral("windowfocus"), dialog});
    Settle(200);
    x.Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"),
               QStringLiteral("zebra")});
    Settle(800);
    Shot(dialog, QStringLiteral("list"));
    // Enter goes to the match and again to the next: neither hands typing to the editor.
    x.Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    Settle(600);
    x.Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    Settle(300);
    x.Xdotool({QStringLiteral("key"), QStringLiteral("Escape")});  // the editor takes over
    Settle(600);
    x.Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"),
               QStringLiteral("Q")});
    Settle();
    Shot(main, QStringLiteral("replaced"));
    Click(main, 145, 95);  // the save button
    Settle();
    EXPECT_EQ(documents.Read("find.qlo"),
              "qlm oe data form 1.3\r\nTree=3,0=1,1=1,2=2\r\nnil:first:0\r\nnil:second:0\r\n"
              "nil:third:0\r\none\r\ntwo\r\nthree\r\nrare Q here\r\n");
}

// Ctrl+Z in the outline brings back a deleted item with its child, expanded state and
// texts: saved, the document is the one that was opened.
TEST_P(RealWindow, UndoWithCtrlZInTheOutlineBringsBackADeletedItemAndItsTexts) {
    WriteSettings({});
    const QByteArray original =
        "qlm oe data form 1.3\r\nTree=4,0=1,1=1,2=2,3=1\r\n"
        "nil:first:0\r\nnil:second:1\r\n1:child:0\r\nnil:third:0\r\n"
        "one\r\ntwo\r\nchild a\r\nchild b\r\nthree\r\n";
    documents.Write("undo.qlo", original);
    QProcess* app = Launch({documents.File("undo.qlo")});
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    Click(main, 200, 139);  // the first item
    Key(QStringLiteral("Down"));
    Key(QStringLiteral("Delete"));
    const QString question = WaitForWindow(
        app, [](const QRect& g) { return g.width() < 600; }, 5000);
    ASSERT_FALSE(question.isEmpty()) << "no question before the delete";
    x.Xdotool({QStringLiteral("windowfocus"), question});
    Settle(200);
    Key(QStringLiteral("Return"));  // はい
    Shot(main, QStringLiteral("deleted"));
    Click(main, 145, 95);  // the save button
    Settle();
    ASSERT_FALSE(documents.Read("undo.qlo").contains("child")) << "nothing was deleted";
    Click(main, 600, 300);      // into the editor
    Key(QStringLiteral("F6"));  // and over to the outline
    Key(QStringLiteral("ctrl+z"));
    Shot(main, QStringLiteral("undone"));
    Click(main, 145, 95);
    Settle();
    EXPECT_EQ(documents.Read("undo.qlo"), original);
}

// The export, import and PDF commands through the program's own question and Qt's file
// dialogs, checked from outside: the files written, and the document saved after the
// import and after its undo.
TEST_P(RealWindow, ExportImportUndoAndPdfThroughTheirDialogs) {
    WriteSettings({});
    // "項目" in Shift-JIS, as the document and the exported text hold it.
    const QByteArray label = "\x8d\x80\x96\xda";
    const QByteArray original = "qlm oe data form 1.3\r\nTree=2,0=1,1=1\r\nnil:" + label +
                                ":0\r\nnil:two:0\r\nalpha\r\nbeta\r\n";
    documents.Write("io.qlo", original);
    // A Shift-JIS text ("本文"): it goes to the store as the file's own bytes.
    const QByteArray imported = "\x96\x7b\x95\xb6";
    documents.Write("in.txt", ".imported\r\n" + imported + "\r\n..child\r\n");
    QProcess* app = Launch({documents.File("io.qlo")});
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    Click(main, 600, 300);      // into the editor
    Key(QStringLiteral("F6"));  // and over to the outline, the first item selected

    Key(QStringLiteral("ctrl+shift+e"));
    ASSERT_FALSE(WaitForDialog(app, QStringLiteral("確認")).isEmpty()) << "no part question";
    Key(QStringLiteral("n"));  // いいえ: the whole document
    const QString exportDialog = WaitForDialog(app, QStringLiteral("エクスポート"));
    ASSERT_FALSE(exportDialog.isEmpty()) << "no export dialog";
    Shot(exportDialog, QStringLiteral("export"));
    TypePath(documents.File("out.txt"));
    EXPECT_EQ(documents.Read("out.txt"), "." + label + "\r\nalpha\r\n.two\r\nbeta\r\n");
    BackTo(main);

    // The file menu's import: its fourth entry from the bottom.
    Key(QStringLiteral("F10"));
    for (int i = 0; i < 4; ++i) Key(QStringLiteral("Up"));
    Shot(main, QStringLiteral("menu"));
    Key(QStringLiteral("Return"));
    const QString importDialog = WaitForDialog(app, QStringLiteral("インポート"));
    ASSERT_FALSE(importDialog.isEmpty()) << "no import dialog";
    TypePath(documents.File("in.txt"));
    BackTo(main);
    Shot(main, QStringLiteral("imported"));
    Key(QStringLiteral("ctrl+s"));
    EXPECT_EQ(documents.Read("io.qlo"),
              "qlm oe data form 1.3\r\nTree=4,0=1,1=1,2=0,3=1\r\nnil:" + label +
                  ":0\r\nnil:imported:0\r\n1:child:0\r\nnil:two:0\r\nalpha\r\n" + imported +
                  "\r\nbeta\r\n");

    Key(QStringLiteral("ctrl+z"));  // the outline has the keyboard again
    Key(QStringLiteral("ctrl+s"));
    Shot(main, QStringLiteral("undone"));
    EXPECT_EQ(documents.Read("io.qlo"), original);

    Key(QStringLiteral("ctrl+shift+p"));
    ASSERT_FALSE(WaitForDialog(app, QStringLiteral("確認")).isEmpty()) << "no part question";
    Key(QStringLiteral("y"));  // はい: the first item alone
    ASSERT_FALSE(WaitForDialog(app, QStringLiteral("PDF に書き出す")).isEmpty()) << "no PDF dialog";
    TypePath(documents.File("out.pdf"));
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(documents.File("out.pdf")) && timer.elapsed() < 15000)
        QThread::msleep(100);
    Shot(main, QStringLiteral("pdf"));
    ASSERT_TRUE(documents.Read("out.pdf").startsWith("%PDF-")) << "no PDF was written";
    const QByteArray text =
        x.Run(QStringLiteral("pdftotext"), {documents.File("out.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(text.contains("alpha") && !text.contains("beta")) << text.constData();
    EXPECT_EQ(app->state(), QProcess::Running);
}

// Several items moved as one with Alt+arrows, the outline's context menu worked with the
// Menu key and Shift+F10, and a chapter copied into the next document opened: each flow
// walked twice, checked in the saved documents.
TEST_P(RealWindow, SeveralItemsMovedTheContextMenuAndAChapterCopiedIntoAnotherDocument) {
    WriteSettings({});
    const QByteArray head = "qlm oe data form 1.3\r\nTree=5,0=1,1=1,2=1,3=1,4=1\r\n";
    const QByteArray original =
        head +
        "nil:one:0\r\nnil:two:1\r\n1:twoA:0\r\nnil:three:0\r\nnil:four:0\r\n"
        "t1\r\nt2\r\nt2a\r\nt3\r\nt4\r\n";
    documents.Write("a.qlo", original);
    documents.Write("b.qlo", "qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:bee:0\r\nb\r\n");
    QProcess* app = Launch({documents.File("a.qlo")});
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    Click(main, 200, 139);  // the first item
    Key(QStringLiteral("shift+Down"));
    Key(QStringLiteral("alt+Down"));
    Key(QStringLiteral("ctrl+s"));
    Shot(main, QStringLiteral("moved"));
    EXPECT_EQ(documents.Read("a.qlo"),
              head +
                  "nil:three:0\r\nnil:one:0\r\nnil:two:1\r\n2:twoA:0\r\nnil:four:0\r\n"
                  "t3\r\nt1\r\nt2\r\nt2a\r\nt4\r\n");
    Key(QStringLiteral("alt+Down"));
    Key(QStringLiteral("alt+Up"));
    Key(QStringLiteral("alt+Up"));
    Key(QStringLiteral("ctrl+s"));
    EXPECT_EQ(documents.Read("a.qlo"), original);

    // Escape closes the menu untouched; Up wraps to its last entry, "下位を閉じる".
    for (const QString& opener : {QStringLiteral("Menu"), QStringLiteral("shift+F10")}) {
        Key(opener);
        const QString menu = WaitForWindow(
            app, [](const QRect& g) { return g.width() < 600; }, 3000);
        ASSERT_FALSE(menu.isEmpty()) << opener.toStdString() << " opened no menu";
        Settle(300);
        Key(QStringLiteral("Down"));
        Shot(main, QStringLiteral("context"));
        const QImage panel = x.Screenshot().copy(x.Geometry(menu));
        EXPECT_GT(RedPixels(panel.copy(4, 10, panel.width() - 8, 15)), 5)
            << "the first entry is not red";
        Key(QStringLiteral("Escape"));
        EXPECT_FALSE(x.VisibleWindows(app->processId()).contains(menu)) << "the menu stayed open";
    }
    Key(QStringLiteral("shift+F10"));
    ASSERT_FALSE(WaitForWindow(
                     app, [](const QRect& g) { return g.width() < 600; }, 3000)
                     .isEmpty());
    Settle(300);
    Key(QStringLiteral("Up"));
    Key(QStringLiteral("Return"));
    Key(QStringLiteral("ctrl+s"));
    EXPECT_EQ(documents.Read("a.qlo"), QByteArray(original).replace("nil:two:1", "nil:two:0"));

    Key(QStringLiteral("Home"));
    Key(QStringLiteral("Down"));  // "two" alone, its child with it
    Key(QStringLiteral("ctrl+c"));
    Key(QStringLiteral("ctrl+o"));
    const QString open = WaitForWindow(
        app, [](const QRect& g) { return g.width() < 900 && g.width() > 300; }, 5000);
    ASSERT_FALSE(open.isEmpty()) << "no open dialog";
    x.Xdotool({QStringLiteral("windowfocus"), open});
    Settle(200);
    TypePath(documents.File("b.qlo"));
    BackTo(main);
    Click(main, 600, 300);      // into the editor: a click on "bee" would edit its label
    Key(QStringLiteral("F6"));  // and over to the outline, "bee" selected
    Key(QStringLiteral("ctrl+v"));
    Key(QStringLiteral("ctrl+v"));
    Key(QStringLiteral("ctrl+s"));
    Shot(main, QStringLiteral("pasted"));
    EXPECT_EQ(documents.Read("b.qlo"),
              "qlm oe data form 1.3\r\nTree=5,0=1,1=1,2=1,3=1,4=1\r\nnil:bee:0\r\nnil:two:0\r\n"
              "1:twoA:0\r\nnil:two:0\r\n3:twoA:0\r\nb\r\nt2\r\nt2a\r\nt2\r\nt2a\r\n");
    EXPECT_EQ(documents.Read("a.qlo"), QByteArray(original).replace("nil:two:1", "nil:two:0"));
}

// Recovery of unsaved work: the same edits once ended from outside and recovered, once
// saved in the ordinary way, give the same document byte for byte.
class Recovery : public RealWindow {
  protected:
    void SetUp() override {
        RealWindow::SetUp();
        WriteSettings({QStringLiteral("AutoLoad=0")});
        const QByteArray start = "qlm oe data form 1.3\r\nTree=1,0=1\r\nnil:start:0\r\nbegin\r\n";
        documents.Write("ended.qlo", start);
        documents.Write("saved.qlo", start);
    }

    // Texts in two items, items added and moved, a label edited.
    void Edit(const QString& main) {
        const auto type = [&](const char* text) {
            x.Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("30"),
                       QString::fromLatin1(text)});
            Settle(200);
        };
        Click(main, 600, 300);  // into the editor
        x.Xdotool({QStringLiteral("key"), QStringLiteral("ctrl+End")});
        type(" first");
        Click(main, 65, 155);  // brother
        Click(main, 600, 300);
        type("second text");
        Click(main, 65, 195);  // child
        Click(main, 600, 300);
        type("child text");
        Click(main, 40, 325);   // left
        Click(main, 70, 295);   // up
        Click(main, 200, 139);  // the first item
        x.Xdotool({QStringLiteral("key"), QStringLiteral("F2")});
        Settle(200);
        x.Xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
        type("Label A");
        x.Xdotool({QStringLiteral("key"), QStringLiteral("Return")});
        Settle();
    }

    void SaveAndClose(QProcess* app, const QString& main) {
        Click(main, 145, 95);  // the save button
        Settle();
        const QRect geometry = x.Geometry(main);
        Click(main, geometry.width() - 20, 20);  // close: nothing unsaved, nothing asked
        ASSERT_TRUE(WaitForExit(app)) << "the program did not end";
    }

    // The question a start asks when it finds unsaved work; answered with key.
    void AnswerRecovery(QProcess* app, const QString& key) {
        const QString question = WaitForWindow(app, [](const QRect& g) { return g.width() < 600; });
        ASSERT_FALSE(question.isEmpty()) << "no recovery question";
        EXPECT_EQ(WindowName(question), QStringLiteral("確認"));
        Shot(question, QStringLiteral("question"));
        x.Xdotool({QStringLiteral("windowfocus"), question});
        Settle(200);
        x.Xdotool({QStringLiteral("key"), key});
    }

    void EndFromOutside(bool kill) {
        QProcess* app = Launch({documents.File("ended.qlo")});
        const QString main = WaitForMainWindow(app);
        ASSERT_FALSE(main.isEmpty());
        Edit(main);
        Shot(main, QStringLiteral("edited"));
        QThread::msleep(2500);  // the text reaches its file two seconds after the last key
        if (kill) {
            app->kill();
        } else {
            app->terminate();  // SIGTERM
        }
        ASSERT_TRUE(app->waitForFinished(10000));
        EXPECT_FALSE(QDir(program.File("Data")).entryList({QStringLiteral("*.tmp")}).isEmpty())
            << "the unsaved texts are gone";
    }

    void ExpectSameDocumentAsAnOrdinarySave() {
        QProcess* app = Launch();
        AnswerRecovery(app, QStringLiteral("Return"));  // はい
        const QString main = WaitForMainWindow(app);
        ASSERT_FALSE(main.isEmpty());
        Shot(main, QStringLiteral("recovered"));
        SaveAndClose(app, main);

        QProcess* reference = Launch({documents.File("saved.qlo")});
        const QString window = WaitForMainWindow(reference);
        ASSERT_FALSE(window.isEmpty());
        Edit(window);
        SaveAndClose(reference, window);
        const QByteArray expected = documents.Read("saved.qlo");
        EXPECT_TRUE(expected.contains("Label A") && expected.contains("child text"))
            << expected.constData();
        EXPECT_EQ(documents.Read("ended.qlo"), expected);
    }
};

TEST_P(Recovery, UnsavedWorkComesBackAfterKill) {
    EndFromOutside(true);
    ExpectSameDocumentAsAnOrdinarySave();
}

TEST_P(Recovery, UnsavedWorkComesBackAfterSigterm) {
    EndFromOutside(false);
    ExpectSameDocumentAsAnOrdinarySave();
}

TEST_P(Recovery, NoDeletesTheUnsavedWork) {
    EndFromOutside(true);
    QProcess* app = Launch();
    AnswerRecovery(app, QStringLiteral("n"));
    const QString main = WaitForMainWindow(app);
    ASSERT_FALSE(main.isEmpty());
    EXPECT_TRUE(QDir(program.File("Data")).entryList({QStringLiteral("*.tmp")}).isEmpty());
    EXPECT_FALSE(QFile::exists(program.File("Data/Hedgerow.recovery")));
    const QRect geometry = x.Geometry(main);
    Click(main, geometry.width() - 20, 20);
    ASSERT_TRUE(WaitForExit(app));
    EXPECT_TRUE(documents.Read("ended.qlo").endsWith("begin\r\n")) << "the document is as it was";
}

INSTANTIATE_TEST_SUITE_P(Xvfb, Recovery, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "WithOpenbox" : "NoWindowManager");
                         });

INSTANTIATE_TEST_SUITE_P(Xvfb, RealWindow, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "WithOpenbox" : "NoWindowManager");
                         });

}  // namespace
