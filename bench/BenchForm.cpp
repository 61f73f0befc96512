#include "BenchForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>

#include "OutlineGenerator.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "app/TItemTextBinding.h"
#include "app/TOutlineView.h"
#include "document/TOutline.h"
#include "document/TOutlineItemModel.h"
#include "platform/TMessageBoxes.h"
#include "platform/TProgramFolders.h"
#include "support/TMainFormProbe.h"

void BenchForm::PrepareFolder(const QString& exeDir, const QStringList& settings) {
    QDir().mkpath(exeDir + QStringLiteral("Data"));
    const QDir skin(QStringLiteral(HEDGEROW_SKIN_DIR));
    for (const QString& name : skin.entryList({QStringLiteral("*.bmp")}, QDir::Files))
        QFile::copy(skin.filePath(name), exeDir + QStringLiteral("Data/") + name);
    QFile file(exeDir + QStringLiteral("Hedgerow.ini"));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QStringList lines = {QStringLiteral("iniFileVer=1.06"), QStringLiteral("AutoLoad=0"),
                         QStringLiteral("AutoSave=0"), QStringLiteral("AutoBackup=1")};
    lines += settings;
    for (const QString& line : lines) file.write(line.toLatin1() + "\r\n");
}

BenchForm::BenchForm(int width, int height, const QStringList& settings,
                     const QStringList& arguments) {
    PrepareFolder(ExeDir(), settings);
    TMainFormContext context;
    context.folders = TProgramFolders::BesideExecutable(ExeDir());
    context.arguments = arguments;
    context.messageBoxes = &boxes_;
    context.fileDialogs = &dialogs_;
    form_ = std::make_unique<TMainForm>(context);
    form_->resize(width, height);
    form_->show();
    form_->activateWindow();
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    Probe(*form_).Lifecycle().FormActivate();
    QApplication::processEvents();
}

BenchForm::~BenchForm() {
    Probe(*form_).Session().Modified = false;
    form_->close();
    form_.reset();
}

namespace {

long long NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// Calls done() once after the first paint event of widget has been handled.
class FirstPaint : public QObject {
  public:
    FirstPaint(QWidget* widget, std::function<void()> done) : done_(std::move(done)) {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, done_);
        }
        return false;
    }

  private:
    std::function<void()> done_;
    bool seen_ = false;
};

// Prints "hidden <ns>" the moment widget hides.
class WhenHidden : public QObject {
  public:
    explicit WhenHidden(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide) {
            std::printf("hidden %lld\n", NowNs());
            std::fflush(stdout);
        }
        return false;
    }
};

class PlainWidget : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::white); }
};

}  // namespace

std::map<QByteArray, double> ProbeChild(const QString& probe, const QString& exeDir,
                                        const QString& document, int limitMs) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    const long long start = NowNs();
    QStringList arguments = {QStringLiteral("--probe=") + probe, exeDir};
    if (!document.isEmpty()) arguments << document;
    child.start(QCoreApplication::applicationFilePath(), arguments);
    std::map<QByteArray, double> times;
    if (child.waitForFinished(limitMs))
        times["ended"] = (NowNs() - start) / 1e6;
    else
        child.kill(), child.waitForFinished();
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.trimmed().split(' ');
        if (words.size() == 2) times[words[0]] = (words[1].toLongLong() - start) / 1e6;
    }
    return times;
}

long long ResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

int RunProbe(int argc, char** argv) {
    const char* what = argv[1] + std::strlen("--probe=");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (std::strcmp(what, "qt") == 0) {
        // The baseline: a plain Qt program showing one window of the same size.
        PlainWidget widget;
        widget.resize(1920, 1080);
        FirstPaint probe(&widget, [] {
            std::printf("painted %lld\n", NowNs());
            std::fflush(stdout);
            QApplication::quit();
        });
        widget.show();
        return app.exec();
    }
    // As the program's entry starts the main window.
    QApplication::setApplicationName(QStringLiteral("hedgerow"));
    QApplication::setApplicationDisplayName(TMessageBoxes::ApplicationTitle());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    TMainFormContext context;
    context.folders = TProgramFolders::BesideExecutable(QString::fromLocal8Bit(argv[2]));
    if (argc > 3) context.arguments << QString::fromLocal8Bit(argv[3]);
    context.messageBoxes = &boxes;
    context.fileDialogs = &dialogs;
    TMainForm form(context);
    const bool rss = std::strcmp(what, "rss") == 0;
    std::optional<WhenHidden> hidden;
    if (std::strcmp(what, "close") == 0) hidden.emplace(&form);
    FirstPaint probe(&form, [&] {
        if (rss) {
            // Let the program settle: every pending event handled, then the resident size.
            for (int i = 0; i < 20; ++i) QApplication::processEvents();
            std::printf("rss %lld items %d\n", ResidentKb(), form.TreeModel->Outline().Count());
        } else {
            std::printf("painted %lld\n", NowNs());
        }
        if (std::strcmp(what, "edit") == 0) {
            // Then a key typed into the editor and drawn: the whole text is editable.
            std::fflush(stdout);
            Probe(form).Texts().FinishShowing();
            form.Editor->setFocus();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QApplication::sendEvent(form.Editor->viewport(), &press);
            form.Editor->viewport()->repaint();
            std::printf("edited %lld\n", NowNs());
        }
        std::fflush(stdout);
        Probe(form).Session().Modified = false;
        if (std::strcmp(what, "close") == 0) {
            // Then closed as the user closes it: the process ends when the program is done.
            std::printf("closing %lld\n", NowNs());
            std::fflush(stdout);
            form.close();
            return;
        }
        QApplication::quit();
    });
    form.show();
    form.activateWindow();
    const int result = app.exec();
    return result;
}

void BenchForm::LoadGeneratedOutline() {
    const QString path = documents_.path() + QStringLiteral("/outline.qlo");
    PosixFiles::Write(QFile::encodeName(path).toStdString(), GenerateOutline().document);
    Probe(*form_).Documents().LoadFile(path);
    Probe(*form_).Session().Store.FinishWriting();
}

double BenchForm::ShownMs(const std::function<void()>& work) {
    return Targets::TimeMs([&] {
        work();
        QApplication::processEvents();
        form_->Tree->viewport()->repaint();
    });
}
