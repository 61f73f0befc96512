#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <memory>

#include "support/TempDir.h"

namespace {

// A copy of the program in a folder of its own, with a current settings file so that
// no first-start question waits for an answer, and a private temporary folder for
// the lock file and the socket.
class SingleInstance : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(HEDGEROW_BINARY, program.File("hedgerow")));
        QFile::setPermissions(program.File("hedgerow"),
                              QFile::ReadOwner | QFile::ExeOwner | QFile::WriteOwner);
        program.Write("Hedgerow.ini", "iniFileVer=1.06\r\nAutoLoad=0\r\n");
        QDir().mkpath(program.File("Data"));
    }

    void TearDown() override {
        for (auto& process : processes) {
            process->kill();
            process->waitForFinished(2000);
        }
    }

    QProcess* Launch() { return Launch(temp.Path()); }

    QProcess* Launch(const QString& tempFolder) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("TMPDIR", tempFolder);
        process->setProcessEnvironment(env);
        process->setProgram(program.File("hedgerow"));
        process->start();
        processes.push_back(std::move(process));
        return processes.back().get();
    }

    struct Conversion {
        int exitCode = -1;
        QByteArray errors;
    };

    // The program run as a command in a console: no display, no platform chosen.
    Conversion Convert(const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert("TMPDIR", temp.Path());
        process.setProcessEnvironment(env);
        process.start(program.File("hedgerow"), arguments);
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished(2000);
            return {-1, "did not end"};
        }
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardError()};
    }

    QString SocketPath() const {
        return temp.File(QStringLiteral("qlm-oe-System-Mutex-%1").arg(getuid()));
    }

    bool WaitForListening(int ms) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            if (QFile::exists(SocketPath())) return true;
            QThread::msleep(20);
        }
        return false;
    }

    TempDir program;
    TempDir temp;
    std::vector<std::unique_ptr<QProcess>> processes;
};

TEST_F(SingleInstance, SecondStartHandsOverAndEnds) {
    QProcess* first = Launch();
    ASSERT_TRUE(first->waitForStarted());
    ASSERT_TRUE(WaitForListening(10000));

    QProcess* second = Launch();
    ASSERT_TRUE(second->waitForFinished(10000)) << "the second start must end by itself";
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);
}

TEST_F(SingleInstance, ProcessesStartedTogetherGiveExactlyOneInstance) {
    QProcess* a = Launch();
    QProcess* b = Launch();
    QProcess* c = Launch();
    for (QProcess* p : {a, b, c}) p->waitForStarted();
    ASSERT_TRUE(WaitForListening(10000));
    int running = 0;
    for (QProcess* p : {a, b, c}) running += p->waitForFinished(5000) ? 0 : 1;
    EXPECT_EQ(running, 1);
}

TEST_F(SingleInstance, AKilledInstanceDoesNotBlockTheNextStart) {
    QProcess* crashed = Launch();
    ASSERT_TRUE(crashed->waitForStarted());
    ASSERT_TRUE(WaitForListening(10000));
    crashed->kill();  // leaves its lock file and socket file behind
    crashed->waitForFinished(2000);
    ASSERT_TRUE(QFile::exists(SocketPath()));

    QProcess* next = Launch();
    EXPECT_FALSE(next->waitForFinished(1500)) << "the new start gave up";
    EXPECT_EQ(next->state(), QProcess::Running);
    QProcess* third = Launch();
    ASSERT_TRUE(third->waitForFinished(10000));  // and the new instance answers
    EXPECT_EQ(third->exitCode(), 0);
}

// Another temporary folder (or another user) hides the first instance's lock and
// socket; the lock in the program's own folder still keeps its item files safe.
TEST_F(SingleInstance, ACopyStartedWithAnotherTemporaryFolderLeavesTheItemFilesAlone) {
    program.Write("Data/99.tmp", "left by an earlier run");
    QProcess* first = Launch();
    ASSERT_TRUE(first->waitForStarted());
    QElapsedTimer timer;
    timer.start();
    while (QFile::exists(program.File("Data/99.tmp")) && timer.elapsed() < 10000)
        QThread::msleep(20);
    ASSERT_FALSE(QFile::exists(program.File("Data/99.tmp")))
        << "the first copy has cleaned the folder";
    program.Write("Data/0.tmp", "the running copy's text\r\n");

    TempDir otherTemp;
    QProcess* second = Launch(otherTemp.Path());
    ASSERT_TRUE(second->waitForStarted());
    second->waitForFinished(3000);  // it shows its warning and waits for OK
    EXPECT_EQ(program.Read("Data/0.tmp"), QByteArray("the running copy's text\r\n"));
    EXPECT_EQ(first->state(), QProcess::Running);
}

// A text converted to a document and that to Markdown and PDF, while a copy of the
// program runs with its window: neither start hands over to it nor disturbs it.
TEST_F(SingleInstance, ConversionsRunWithoutADisplayBesideARunningCopy) {
    QProcess* running = Launch();
    ASSERT_TRUE(running->waitForStarted());
    ASSERT_TRUE(WaitForListening(10000));
    TempDir files;
    files.Write("in.txt", ".Top\r\ntop text\r\n..Child\r\n.Second\r\n");

    Conversion imported = Convert({"--import", files.File("in.txt"), files.File("doc.qlo")});
    ASSERT_EQ(imported.exitCode, 0) << imported.errors.constData();
    EXPECT_EQ(files.Read("doc.qlo"),
              "qlm oe data form 1.3\r\nTree=3,0=1,1=0,2=0\r\n"
              "nil:Top:0\r\n0:Child:0\r\nnil:Second:0\r\ntop text\r\n");

    Conversion markdown = Convert({"--export", "md", files.File("doc.qlo"), files.File("doc.md")});
    ASSERT_EQ(markdown.exitCode, 0) << markdown.errors.constData();
    EXPECT_EQ(files.Read("doc.md"), "# Top\n\ntop text\n\n## Child\n# Second\n");

    Conversion pdf = Convert(
        {"--export", "pdf", "--subtree", "1", files.File("doc.qlo"), files.File("doc.pdf")});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.errors.constData();
    EXPECT_TRUE(files.Read("doc.pdf").startsWith("%PDF-"));
    EXPECT_EQ(running->state(), QProcess::Running);
}

// A file that cannot be written is reported, with a status other than 0, and nothing is
// left at its name.
TEST_F(SingleInstance, AFailedConversionSaysWhyAndLeavesNoFile) {
    TempDir files;
    files.Write("doc.qlo", "qlm oe data form 1.3\r\nTree=1,0=0\r\nnil:one:0\r\n");
    for (const char* format : {"md", "pdf"}) {
        const QString output = files.File(QStringLiteral("missing/out.") + format);
        const Conversion failed = Convert({"--export", format, files.File("doc.qlo"), output});
        EXPECT_NE(failed.exitCode, 0) << format;
        EXPECT_TRUE(failed.errors.contains(QFile::encodeName(output))) << failed.errors.constData();
        EXPECT_FALSE(QFile::exists(output)) << format;
    }
}

}  // namespace
