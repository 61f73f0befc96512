#pragma once

#include <QStringList>

class QTextStream;

// The program run from the command line to convert or count files, for scripts and batch
// work:
//
//   hedgerow --export FORMAT [--subtree N] [--encoding utf-8] DOCUMENT.qlo OUTPUT
//   hedgerow --import [--from FORMAT] INPUT OUTPUT.qlo
//   hedgerow --count [--grid COLSxROWS] [--ruby] DOCUMENT.qlo
//   hedgerow --help
//
// It opens no window, needs no display (a PDF is drawn off screen), and touches neither
// a running copy's files nor the single-instance guard. A failure is written to the error
// stream with a non-zero status and leaves no output file.
class TCommandLineConversion {
  public:
    // Whether the arguments (without the program's name) ask for a conversion or for help.
    static bool Requested(const QStringList& arguments);
    // Whether the conversion draws pages (a PDF): it then needs Qt's graphical part.
    static bool DrawsPages(const QStringList& arguments);
    // Runs what the arguments ask for. Returns the exit status.
    static int Run(const QStringList& arguments, QTextStream& out, QTextStream& errors);

    static QString HelpText();

  private:
    static void Export(const QStringList& arguments, QTextStream& errors);
    // pdf-vertical: every item typeset vertically, each from a new page.
    static void ExportVertical(const QStringList& arguments);
    static void Import(const QStringList& arguments, QTextStream& errors);
    // One line for every item in outline order (level, label, characters, characters
    // without blanks, lines, manuscript pages) and a total, tab-separated.
    static void Count(const QStringList& arguments, QTextStream& out);
};
