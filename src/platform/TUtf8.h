#pragma once

#include <QByteArrayView>
#include <QString>
#include <utility>

// UTF-8 as Qt's decoder takes it: no overlong form, no surrogate, nothing beyond U+10FFFF.
// Faster than Qt's own check on Japanese text, which is three bytes a character.
class TUtf8 {
  public:
    static bool IsValid(QByteArrayView bytes);

    // The text of UTF-8, a U+FEFF at its start kept as the text's own: QString::fromUtf8
    // takes it for a byte order mark and drops it.
    static QString Decode(QByteArrayView utf8);

    // The code point of the sequence of two to four bytes at data[i] (data[i] >= 0x80),
    // and its length; a length of 0 for a sequence that is not UTF-8.
    static std::pair<char32_t, qsizetype> DecodeSequence(const unsigned char* data, qsizetype i,
                                                         qsizetype size);
    // Writes the UTF-8 of a code point (no surrogate, at most U+10FFFF) at out: one to four
    // bytes, their number returned.
    static qsizetype Write(char32_t code, char* out) {
        const auto byte = [](char32_t bits) { return static_cast<char>(bits); };
        if (code < 0x80) {
            out[0] = byte(code);
            return 1;
        }
        if (code < 0x800) {
            out[0] = byte(0xC0 | code >> 6);
            out[1] = byte(0x80 | (code & 0x3F));
            return 2;
        }
        if (code < 0x10000) {
            out[0] = byte(0xE0 | code >> 12);
            out[1] = byte(0x80 | (code >> 6 & 0x3F));
            out[2] = byte(0x80 | (code & 0x3F));
            return 3;
        }
        out[0] = byte(0xF0 | code >> 18);
        out[1] = byte(0x80 | (code >> 12 & 0x3F));
        out[2] = byte(0x80 | (code >> 6 & 0x3F));
        out[3] = byte(0x80 | (code & 0x3F));
        return 4;
    }
    // The code point of three bytes read as a little-endian word (a fourth byte may stand
    // above them), when they are a three-byte sequence; 0 when not.
    static char32_t ThreeBytes(quint32 word) {
        if ((word & 0xC0C0F0) != 0x8080E0) return 0;
        const char32_t code = (word & 0x0F) << 12 | (word >> 2 & 0xFC0) | (word >> 16 & 0x3F);
        return code < 0x800 || (code >= 0xD800 && code <= 0xDFFF) ? 0 : code;
    }
};
