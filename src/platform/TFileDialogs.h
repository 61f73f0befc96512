#pragma once

#include <QString>
#include <QStringList>

// The open and save dialogs, behind an interface so that tests choose the files.
class TFileDialogs {
  public:
    virtual ~TFileDialogs() = default;

    // The chosen path, or an empty string when the user cancelled.
    virtual QString AskOpenFileName(const QString& startFolder) = 0;
    virtual QString AskSaveFileName(const QString& startFolder) = 0;

    // A file chosen in a dialog that offers several kinds of file: its path (empty when
    // the user cancelled) and the index of the filter chosen with it.
    struct Choice {
        QString path;
        int filter = 0;
    };
    struct Request {
        QString title;
        QString startFolder;
        QStringList filters;    // "Name (*.ext)"
        int filter = 0;         // the one chosen at first
        QString suggestedName;  // saving only
    };
    virtual Choice AskOpenFile(const Request& request) = 0;
    // Adds the chosen filter's extension to a name without one and asks before
    // overwriting.
    virtual Choice AskSaveFile(const Request& request) = 0;
};
