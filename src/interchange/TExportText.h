#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "interchange/TExport.h"

// What the exporters share: the lines of a text, and the bytes of a whole file with what
// its encoding could not hold.
class TExportText {
  public:
    // The lines of an entry's text ("\n" between lines; a CR, alone or before LF, ends a
    // line as well); an empty text has no lines.
    static QStringList Lines(const QString& text);
    // A label for a format that gives it one line: line breaks become blanks.
    static QString OneLine(const QString& label);

    // UTF-8: every UTF-16 unit that is no character (an escape, see Cp932Codec, or another
    // lone surrogate) becomes U+FFFD, counted in replacedBytes.
    static TExport Utf8(const QString& text);
    // The text as XML 1.0 may hold it: besides what Utf8 replaces, the control characters
    // XML forbids (all below U+0020 but TAB, LF and CR) and U+FFFE, U+FFFF become U+FFFD,
    // counted in *replaced.
    static QString ForXml(const QString& text, int* replaced);
    // Code page 932: a character it cannot hold is written as "?" and reported.
    static TExport ShiftJis(const QString& text);

  private:
    static QString WithoutNonCharacters(const QString& text, bool forXml, int* replaced);
};
