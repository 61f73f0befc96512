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

}  // namespace
