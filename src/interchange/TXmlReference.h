#pragma once

#include <QByteArrayView>
#include <utility>

// The references XML knows without a document type: the five named ones and the numeric
// ones, each to a character XML allows.
class TXmlReference {
  public:
    // The character a reference's name (between "&" and ";") stands for; 0, which no
    // reference may stand for, when it is no such reference.
    static char32_t Code(QByteArrayView name);

    // The reference that bytes begin with (at its "&"): its character and its length with
    // "&" and ";"; {0, 0} when there is none.
    static std::pair<char32_t, qsizetype> At(QByteArrayView bytes);

    // Whether XML allows the character in a document.
    static bool IsXmlCharacter(char32_t code) {
        return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
               (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
    }
};
