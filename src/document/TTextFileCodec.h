#pragma once

#include <QByteArray>
#include <QString>

#include "document/TTextLines.h"

// The bytes of the program's own text files (item texts, the settings file) for a text
// as the editor holds it ("\n" between lines): every line followed by CR LF, in code
// page 932. A text holding a character that code page 932 cannot represent exactly
// (emoji, rare kanji, or look-alikes such as U+301C that it would only approximate) is
// written as UTF-8 behind a byte order mark instead, so that nothing is lost. So is a
// text whose code page 932 bytes would begin with the mark themselves (bytes that are
// no character, kept as escapes, can).
//
// The UTF-8 form keeps escapes (see Cp932Codec) and any other unpaired surrogate too,
// as the three bytes UTF-8's scheme gives the code unit (ED A0 80 to ED BF BF), which
// UTF-8 itself never holds: every text reads back exactly as it was written.
class TTextFileCodec {
  public:
    static const QByteArray kUtf8Mark;

    static QByteArray Encode(QStringView editorText);
    // Reads either form; CR LF, a lone CR and a lone LF all end a line, a NUL ends the
    // text unless nul tells otherwise.
    static QString Decode(QByteArrayView bytes, TTextLines::Nul nul = TTextLines::Nul::EndsText);
    // The characters Decode gives, but with the line breaks the file holds (CR LF, a
    // lone CR or LF), which saves a pass over a large text where only the characters
    // of its lines matter.
    static QString DecodeCharacters(QByteArrayView bytes);
};
