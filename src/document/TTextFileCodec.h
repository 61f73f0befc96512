#pragma once

#include <QByteArray>
#include <QString>

// The bytes of the program's own text files (item texts, the settings file) for a text
// as the editor holds it ("\n" between lines): every line followed by CR LF, in code
// page 932. A text holding a character that code page 932 cannot represent exactly
// (emoji, rare kanji, or look-alikes such as U+301C that it would only approximate) is
// written as UTF-8 behind a byte order mark instead, so that nothing is lost; code page
// 932 never produces the bytes EF BB BF, so the two forms cannot be confused.
class TTextFileCodec {
public:
    static const QByteArray kUtf8Mark;

    static QByteArray Encode(QStringView editorText);
    // Reads either form; CR LF, a lone CR and a lone LF all end a line, a NUL ends the
    // text.
    static QString Decode(QByteArrayView bytes);
};
