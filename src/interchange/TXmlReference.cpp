#include "interchange/TXmlReference.h"

#include <algorithm>

namespace {

// The longest name At takes. Only leading zeros make a reference to a character longer:
// the callers leave such a rare one to the stream reader.
constexpr qsizetype kLongestName = 10;

// A hexadecimal digit's value, or -1.
int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

char32_t TXmlReference::Code(QByteArrayView name) {
    if (name == "amp") return '&';
    if (name == "lt") return '<';
    if (name == "gt") return '>';
    if (name == "quot") return '"';
    if (name == "apos") return '\'';
    if (!name.startsWith('#')) return 0;
    const bool hex = name.size() > 1 && name[1] == 'x';
    const QByteArrayView digits = name.sliced(hex ? 2 : 1);
    // Thousands of them in a file: read without a copy.
    constexpr char32_t kBeyondUnicode = 0x110000;
    char32_t code = 0;
    for (const char c : digits) {
        const int digit = DigitValue(c);
        if (digit < 0 || (!hex && digit > 9)) return 0;
        code = code * (hex ? 16 : 10) + static_cast<char32_t>(digit);
        if (code >= kBeyondUnicode) return 0;
    }
    return !digits.isEmpty() && IsXmlCharacter(code) ? code : 0;
}

std::pair<char32_t, qsizetype> TXmlReference::At(QByteArrayView bytes) {
    const qsizetype end = bytes.first(std::min(bytes.size(), kLongestName + 2)).indexOf(';');
    const char32_t code = end > 0 ? Code(bytes.sliced(1, end - 1)) : 0;
    return code != 0 ? std::pair(code, end + 1) : std::pair(char32_t(0), qsizetype(0));
}
