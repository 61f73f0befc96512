#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Code page 932 with Microsoft's mapping, the encoding of documents, settings and
// item text files.
//
// Any bytes decode, and the text encodes back to the very same bytes: a byte that is
// no character of its own (0x80, 0xA0, 0xFD–0xFF, a lead byte without its second
// byte, either byte of an unassigned pair such as 85 40) is kept in the text as an
// escape, the single UTF-16 code unit U+DC00 + byte. That is an unpaired low
// surrogate, which nothing typed or pasted ever is; it is neither one of the private
// use characters code page 932 maps (U+E000–U+E757) nor a character at all, so it is
// never reported as unencodable. Only bytes 0x40 and above are ever escaped: an
// unpaired U+DC00–U+DC3F is no escape, so that no text can put a line break or a NUL
// into the bytes that way.
//
// The one exception to the byte-exact round trip are the characters code page 932
// has two codes for (NEC row 13, the NEC-selected IBM extensions and the IBM
// extensions: 87 9A and FA 5B are both U+2235): they decode to the character, which
// encodes to the code Windows writes (81 E6).
class Cp932Codec {
  public:
    struct Encoded {
        QByteArray bytes;
        // Every distinct character that code page 932 cannot hold, in order of first
        // appearance. Empty when the text encoded completely.
        QString unencodable;
        // Whether a look-alike was written in place of a character.
        bool bestFitUsed = false;
        // Whether escaped bytes read back as something else next to the characters
        // that now surround them (an escaped lead byte that an edit moved before a
        // byte that can follow it). Only looked at when the text encoded completely
        // without look-alikes.
        bool escapesRegrouped = false;
        bool Complete() const { return unencodable.isEmpty(); }
        // Whether decoding the bytes gives back exactly the text.
        bool Exact() const { return Complete() && !bestFitUsed && !escapesRegrouped; }
    };

    // What decoding met besides characters that encode back to their own bytes.
    struct Irregularities {
        // Bytes kept as escapes.
        bool escapes = false;
        // A character in the code of the two that Encode does not write.
        bool secondCodes = false;
    };

    static constexpr char16_t kEscapeBase = 0xDC00;

    static QString Decode(QByteArrayView bytes);
    // The same; *valid tells whether the bytes held only characters, each in the code
    // Encode writes: no escape and no second code, so that the text encodes to exactly
    // these bytes and holds nothing but characters.
    static QString Decode(QByteArrayView bytes, bool* valid);
    static QString Decode(QByteArrayView bytes, Irregularities* met);

    // What Decode makes of bytes, without making the text: its length in code units and
    // how many of them are escapes.
    struct Measure {
        qsizetype units = 0;
        qsizetype escapes = 0;
    };
    static Measure MeasureDecoding(QByteArrayView bytes);

    // Characters that input methods type as look-alikes (U+301C for 〜, U+2212 for
    // −, ...) are written as the bytes Windows' own best-fit conversion chooses.
    // Escapes are written as their bytes. Characters without any code page 932 form
    // are reported, never substituted silently; their place in `bytes` holds the
    // placeholder FC FC.
    static Encoded Encode(QStringView text);

    // What EncodeUtf8 made of its bytes.
    enum class Utf8Encoding {
        // Every character written, in the code Encode writes and that decodes back to it.
        Exact,
        // Valid UTF-8, but a character has no such code (a look-alike, one beyond the BMP,
        // one code page 932 lacks): the bytes written are incomplete.
        Inexact,
        // Not UTF-8: an overlong form, a surrogate, a byte out of place.
        Invalid,
    };
    // Encode for UTF-8 without a string between: writes the bytes at out, which has room
    // for utf8.size() bytes (no character takes more bytes here than in UTF-8), and moves
    // out past them. Encode's escapes cannot stand in UTF-8 at all.
    static Utf8Encoding EncodeUtf8(QByteArrayView utf8, char*& out);
    // The same up to the first stop byte (one below 0x80), or to the end: read is set to
    // where it ended, unless the bytes before are no UTF-8. One call rather than a search
    // and a call for each piece between stop bytes that come every few characters.
    static Utf8Encoding EncodeUtf8(QByteArrayView utf8, char stop, char*& out, qsizetype& read);

    // True when every character of text has a code page 932 form.
    static bool CanEncode(QStringView text);
};
