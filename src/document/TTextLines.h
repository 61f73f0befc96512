#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// A text as the editor holds it ("\n" between lines, no break after the last line)
// and as text files hold it (every line, the last one included, ends with CR LF).
// Converting one way and back never adds or loses a line.
class TTextLines {
  public:
    // What a NUL in a file is: the end of the text (item texts), or a character like any
    // other (the settings file, which is written back with every line it was read with).
    enum class Nul { EndsText, IsCharacter };

    // File text to editor text: CR LF, a lone CR and a lone LF all end a line, a NUL
    // ends the text unless told otherwise, and a final line break does not start an
    // empty line.
    static QString FromFile(QStringView fileText, Nul nul = Nul::EndsText);
    // The same, made in fileText's own room: a decoded file need not be copied again.
    static QString FromFile(QString&& fileText, Nul nul = Nul::EndsText);

    // Editor text to file text: every line followed by CR LF; an empty text has no
    // lines.
    static QString ToFile(QStringView editorText);

    // The number of lines of an editor text as the file would hold them.
    static qsizetype LineCount(QStringView editorText);
    // The number of characters of the longest line of an editor text.
    static qsizetype LongestLine(QStringView editorText);

    // The number of lines of file bytes that end every line with CR LF and hold no
    // other line break and no NUL (the form item text files and documents are written
    // in); -1 for any other bytes.
    static qsizetype CountCrLfLines(QByteArrayView bytes);
};
