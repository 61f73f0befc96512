#include "document/TRecoveryFields.h"

#include <QtEndian>
#include <charconv>

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

char* AppendCodeUnitEscape(char* p, char16_t unit) {
    *p++ = '%';
    *p++ = kUpperHexDigits[(unit >> 12) & 15];
    *p++ = kUpperHexDigits[(unit >> 8) & 15];
    *p++ = kUpperHexDigits[(unit >> 4) & 15];
    *p++ = kUpperHexDigits[unit & 15];
    return p;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

// A 64-bit FNV-1a over 8-byte words. Every step maps the state one to one, so a
// record that differs from the written one in a single word never has its checksum.
quint64 TRecoveryFields::Checksum(QByteArrayView bytes) {
    constexpr quint64 kPrime = 0x100000001b3ULL;
    quint64 hash = 0xcbf29ce484222325ULL;
    const char* p = bytes.data();
    qsizetype n = bytes.size();
    for (; n >= 8; p += 8, n -= 8) hash = (hash ^ qFromLittleEndian<quint64>(p)) * kPrime;
    for (; n > 0; ++p, --n) hash = (hash ^ static_cast<uchar>(*p)) * kPrime;
    return hash;
}

void TRecoveryFields::Output::AppendHex(QByteArrayView bytes) {
    char* p = Reserve(2 * bytes.size());
    for (const char byte : bytes) {
        *p++ = kHexDigits[static_cast<uchar>(byte) >> 4];
        *p++ = kHexDigits[static_cast<uchar>(byte) & 15];
    }
    Advance(p);
}

void TRecoveryFields::Output::AppendChecksum(quint64 checksum) {
    char* p = Reserve(16);
    for (int shift = 60; shift >= 0; shift -= 4) *p++ = kHexDigits[(checksum >> shift) & 15];
    Advance(p);
}

void TRecoveryFields::Output::AppendEscaped(QStringView text) {
    // A code unit takes five bytes at the most (an escape).
    char* p = Reserve(5 * text.size());
    const char16_t* u = text.utf16();
    const char16_t* const end = u + text.size();
    while (u < end) {
        const char16_t c = *u++;
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F || c == '%')
                p = AppendCodeUnitEscape(p, c);
            else
                *p++ = static_cast<char>(c);
        } else if (c < 0x800) {
            *p++ = static_cast<char>(0xC0 | (c >> 6));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (QChar::isSurrogate(c)) {
            if (QChar::isHighSurrogate(c) && u < end && QChar::isLowSurrogate(*u)) {
                const char32_t code = QChar::surrogateToUcs4(c, *u++);
                *p++ = static_cast<char>(0xF0 | (code >> 18));
                *p++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
                *p++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
                *p++ = static_cast<char>(0x80 | (code & 0x3F));
            } else {
                p = AppendCodeUnitEscape(p, c);
            }
        } else {
            *p++ = static_cast<char>(0xE0 | (c >> 12));
            *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *p++ = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    Advance(p);
}

// The text of an escaped field; nothing when the field holds a raw control character,
// a broken escape or bytes that are no UTF-8.
std::optional<QString> TRecoveryFields::Unescape(QByteArrayView field) {
    QString text(field.size(), Qt::Uninitialized);  // never more code units than bytes
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const auto* p = reinterpret_cast<const uchar*>(field.data());
    const uchar* const end = p + field.size();
    while (p < end) {
        const uchar c = *p;
        if (c == '%') {
            if (end - p < 5) return std::nullopt;
            int unit = 0;
            for (int i = 1; i <= 4; ++i) {
                const int digit = HexValue(static_cast<char>(p[i]));
                if (digit < 0) return std::nullopt;
                unit = unit * 16 + digit;
            }
            *out++ = static_cast<char16_t>(unit);
            p += 5;
            continue;
        }
        if (c < 0x20 || c == 0x7F) return std::nullopt;
        if (c < 0x80) {
            *out++ = c;
            ++p;
            continue;
        }
        int length = 0;
        char32_t code = 0;
        char32_t least = 0;
        if ((c & 0xE0) == 0xC0) {
            length = 2, code = c & 0x1F, least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3, code = c & 0x0F, least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            length = 4, code = c & 0x07, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (end - p < length) return std::nullopt;
        for (int i = 1; i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80) return std::nullopt;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        if (code >= 0x10000) {
            *out++ = QChar::highSurrogate(code);
            *out++ = QChar::lowSurrogate(code);
        } else {
            *out++ = static_cast<char16_t>(code);
        }
        p += length;
    }
    text.truncate(out - reinterpret_cast<const char16_t*>(text.constData()));
    return text;
}

std::optional<QByteArray> TRecoveryFields::FromHex(QByteArrayView field) {
    if (field.isEmpty() || field.size() % 2) return std::nullopt;
    QByteArray bytes(field.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int high = HexValue(field[2 * i]);
        const int low = HexValue(field[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes[i] = static_cast<char>(high * 16 + low);
    }
    return bytes;
}

// Exactly the sixteen lowercase digits Serialize writes: a checksum in other letters
// is a changed record too.
std::optional<quint64> TRecoveryFields::ParseChecksum(QByteArrayView field) {
    if (field.size() != 16) return std::nullopt;
    quint64 value = 0;
    for (const char c : field) {
        const int digit = HexValue(c);
        if (digit < 0 || (c >= 'A' && c <= 'F')) return std::nullopt;
        value = value << 4 | static_cast<quint64>(digit);
    }
    return value;
}

std::optional<bool> TRecoveryFields::ParseFlag(QByteArrayView field) {
    if (field == QByteArrayView("1")) return true;
    if (field == QByteArrayView("0")) return false;
    return std::nullopt;
}
