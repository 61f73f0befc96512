#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <memory>

#include "app/TDocumentCommands.h"
#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TFrameBehaviour.h"
#include "app/TItemCommands.h"
#include "app/TItemTextBinding.h"
#include "app/TMainForm.h"
#include "app/TSkinSurface.h"
#include "app/TStartupShutdown.h"
#include "support/ScriptedMessageBoxes.h"

// A main window in a program folder of its own (the generated skin in its Data folder
// and a current settings file), shown at the given size on the offscreen platform.
class BenchForm {
  public:
    explicit BenchForm(int width = 1920, int height = 1080, const QStringList& settings = {},
                       const QStringList& arguments = {});
    ~BenchForm();

    TMainForm& Form() { return *form_; }
    QString ExeDir() const { return dir_.path() + QLatin1Char('/'); }
    // Opens the generated 10,000-item outline and waits until its texts are written.
    void LoadGeneratedOutline();
    // The milliseconds of work with the layout and the painting it leaves for later.
    double ShownMs(const std::function<void()>& work);

    // Prepares a program folder at exeDir (skin, settings) without a window.
    static void PrepareFolder(const QString& exeDir, const QStringList& settings = {});

  private:
    QTemporaryDir dir_;
    QTemporaryDir documents_;
    ScriptedMessageBoxes boxes_;
    ScriptedFileDialogs dialogs_;
    std::unique_ptr<TMainForm> form_;
};

// Runs this benchmark program as a probe (see RunProbe) in a process of its own, starting
// the main window with the program folder exeDir and document (none when empty); the
// milliseconds from the start to each moment the probe reports ("painted", "edited",
// "closing", "hidden") and to its end ("ended"). What did not happen within limitMs is
// missing.
std::map<QByteArray, double> ProbeChild(const QString& probe, const QString& exeDir,
                                        const QString& document, int limitMs);

// This process's resident size in kB.
long long ResidentKb();

// The first full drawing of a started program, measured in a child process of this
// executable: "--probe=<what> <folder> [document]" runs the probe and exits.
int RunProbe(int argc, char** argv);
