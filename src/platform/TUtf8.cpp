#include "platform/TUtf8.h"

#include <QtEndian>
#include <cstring>

std::pair<char32_t, qsizetype> TUtf8::DecodeSequence(const unsigned char* data, qsizetype i,
                                                     qsizetype size) {
    constexpr std::pair<char32_t, qsizetype> kNone{0, 0};
    const unsigned lead = data[i];
    const auto follows = [&](qsizetype k) {
        return i + k < size && (data[i + k] & 0xC0) == 0x80 ? char32_t(data[i + k] & 0x3F)
                                                            : char32_t(0x100);
    };
    if (lead < 0xC2 || lead > 0xF4) return kNone;
    if (lead < 0xE0) {
        const char32_t second = follows(1);
        if (second > 0x3F) return kNone;
        return {char32_t(lead & 0x1F) << 6 | second, 2};
    }
    if (lead < 0xF0) {
        const char32_t second = follows(1), third = follows(2);
        if ((second | third) > 0x3F) return kNone;
        const char32_t code = char32_t(lead & 0x0F) << 12 | second << 6 | third;
        // Overlong forms and surrogates.
        if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)) return kNone;
        return {code, 3};
    }
    const char32_t second = follows(1), third = follows(2), fourth = follows(3);
    if ((second | third | fourth) > 0x3F) return kNone;
    const char32_t code = char32_t(lead & 0x07) << 18 | second << 12 | third << 6 | fourth;
    if (code < 0x10000 || code > 0x10FFFF) return kNone;
    return {code, 4};
}

QString TUtf8::Decode(QByteArrayView utf8) {
    constexpr QByteArrayView kMark = "\xEF\xBB\xBF";
    qsizetype marks = 0;
    while (utf8.sliced(marks * kMark.size()).startsWith(kMark)) ++marks;
    return QString(marks, QChar(0xFEFF)) + QString::fromUtf8(utf8.sliced(marks * kMark.size()));
}

bool TUtf8::IsValid(QByteArrayView bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    constexpr quint64 kHighBits = 0x8080808080808080;
    for (qsizetype i = 0; i < size;) {
        if (data[i] < 0x80) {
            // ASCII eight bytes at a time, then byte by byte.
            for (quint64 word; i + 8 <= size; i += 8) {
                std::memcpy(&word, data + i, 8);
                if (word & kHighBits) break;
            }
            while (i < size && data[i] < 0x80) ++i;
            continue;
        }
        for (quint32 word; i + 4 <= size; i += 3) {
            std::memcpy(&word, data + i, 4);
            if (ThreeBytes(qFromLittleEndian(word)) == 0) break;
        }
        if (i == size || data[i] < 0x80) continue;
        const qsizetype length = DecodeSequence(data, i, size).second;
        if (length == 0) return false;
        i += length;
    }
    return true;
}
