#pragma once

#include <QString>
#include <QStringList>

#include "platform/TProgramFolders.h"

class TAssociation;
class TFileDialogs;
class TFontPicker;
class TMessageBoxes;
class TShell;

// What the main window takes from its surroundings: the program's folders, the command
// line and the seams through which it talks to the user.
struct TMainFormContext {
    TProgramFolders folders;  // the executable's folder and where the files live
    QStringList arguments;    // command-line arguments without the program name
    TMessageBoxes* messageBoxes = nullptr;
    TFileDialogs* fileDialogs = nullptr;
    TAssociation* association = nullptr;  // ".qlo" documents opened by this program
    TShell* shell = nullptr;              // the desktop's programs for pages and mail
    TFontPicker* fontPicker = nullptr;    // the font dialog; the platform's when none is given
    QString platformName;  // the windowing platform (Qt's name); the running one when empty
};
