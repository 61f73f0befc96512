#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// How labels and text lines are written in Markdown so that a CommonMark reader shows them
// as the text they are, and our own reader gives them back exactly.
//
// A text line keeps its characters, but may not begin any block of CommonMark's but a
// paragraph:
//  - each space and tab it begins with is written as "&#32;" and "&#9;" (a CommonMark
//    reader would drop them, or take four of them for code);
//  - the rest of the line, when it begins with one of  # - + * = _ > ` ~ < [ &  (after any
//    number of "\"), gets a "\" in front;
//  - when it begins with digits followed by "." or ")" (after any number of "\"), a "\"
//    goes between the digits and the rest.
// Reading undoes exactly these: it turns the "&#32;" and "&#9;" the line begins with back
// into blanks and then takes away one "\" where the rules above added one.
//
// A label is inline text: each of  \ ` * _ [ ] < & #  is written behind a "\", and the
// spaces, tabs, VT and FF at its ends as "&#32;", "&#9;", "&#11;" and "&#12;" (a heading
// drops them).
class TMarkdownEscapes {
  public:
    static void AppendTextLine(QString& out, QStringView line);
    static void AppendUnescapedTextLine(QString& out, QStringView line);
    // Whether AppendUnescapedTextLine appends the line as it is: reading has nothing to
    // undo in it.
    static bool HasNoEscapes(QStringView line);
    // The same for a line in UTF-8.
    static bool HasNoEscapes(QByteArrayView line);
    static QString Label(const QString& label);

  private:
    static QString Blank(QChar c);
};
