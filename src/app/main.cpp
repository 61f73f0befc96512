#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>
#include <memory>

#include "app/TCommandLineConversion.h"
#include "app/TEndSignals.h"
#include "app/TFolderGuard.h"
#include "app/TMainForm.h"
#include "app/TSingleInstance.h"
#include "app/TStartupShutdown.h"
#include "platform/TAssociation.h"
#include "platform/TDesktopShell.h"
#include "platform/TMessageBoxes.h"
#include "platform/TProgramFolders.h"
#include "platform/TQtFileDialogs.h"
#include "platform/TQtMessageBoxes.h"

namespace {

// A conversion from the command line (see TCommandLineConversion): Qt's graphical part
// only where pages are drawn, and then off screen.
QStringList ArgumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int RunConversion(int argc, char* argv[]) {
    const QStringList arguments = ArgumentsOf(argc, argv);
    // Scripts read the error stream for the conversion's own messages: Qt's notes about
    // the environment (a missing XDG_RUNTIME_DIR under cron) stay out of it.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) QTextStream(stderr) << text << "\n";
    });
    std::unique_ptr<QCoreApplication> app;
    if (TCommandLineConversion::DrawsPages(arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream errors(stderr);
    return TCommandLineConversion::Run(arguments, out, errors);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (TCommandLineConversion::Requested(ArgumentsOf(argc, argv)))
        return RunConversion(argc, argv);
    QApplication app(argc, argv);
    TSingleInstance guard(QStringLiteral("qlm oe System Mutex"));
    if (!guard.TryBecomeFirst()) {
        // Another instance runs: bring it to the front and end without a window.
        guard.AskFirstToRaise(1000);
        return 0;
    }
    // Beside the executable when its folder can be written to; an installed copy keeps
    // the user's files in the user's configuration and data folders.
    const TProgramFolders folders =
        TProgramFolders::ForExecutable(QApplication::applicationDirPath() + QLatin1Char('/'));
    folders.CreateUserFolders();
    TFolderGuard folderGuard(folders.DataFolder());
    if (folderGuard.Take() == TFolderGuard::State::InUse) {
        // Started with another temporary folder, or by another user: the running copy's
        // item text files stay untouched.
        TQtMessageBoxes().Ask(TMessageBoxes::Kind::Warning, TFolderGuard::InUseText(),
                              TMessageBoxes::Buttons::Ok);
        return 0;
    }
    QApplication::setApplicationName(QStringLiteral("hedgerow"));
    // No display name: Qt would append it to the title of every window and box.
    // The interface is Japanese whatever the system's language: so are Qt's own dialogs
    // and context menus.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/icon.png")));

    const std::unique_ptr<TAssociation> association =
        TAssociation::ForThisSystem(QApplication::applicationFilePath(), folders.IsInstalled());
    TDesktopShell shell;
    TQtMessageBoxes messageBoxes;
    TQtFileDialogs fileDialogs;
    TMainFormContext context;
    context.folders = folders;
    context.arguments = QApplication::arguments().mid(1);
    context.messageBoxes = &messageBoxes;
    context.fileDialogs = &fileDialogs;
    context.association = association.get();
    context.shell = &shell;

    TMainForm form(context);
    messageBoxes.SetParent(&form);
    fileDialogs.SetParent(&form);
    QObject::connect(&guard, &TSingleInstance::RaiseRequested, &form, &TMainForm::BringToFront);
    // Ended from outside: the work is saved or kept for the next start, and nothing of
    // the program may run on afterwards (not even a dialog that was open).
    TEndSignals endSignals;
    QObject::connect(&endSignals, &TEndSignals::Received, &form, [&form] {
        form.EndBySignal();
        ::_exit(0);
    });
    form.show();
    form.activateWindow();
    return app.exec();
}
