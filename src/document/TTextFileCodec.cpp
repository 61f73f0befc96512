#include "document/TTextFileCodec.h"

#include <QStringDecoder>

#include "platform/Cp932Codec.h"

const QByteArray TTextFileCodec::kUtf8Mark("\xEF\xBB\xBF", 3);

namespace {

// Whether text[i] is a surrogate that is not half of a pair.
bool IsUnpairedSurrogate(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c.isHighSurrogate()) return i + 1 == text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate()) return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

QByteArray ToUtf8(QStringView text) {
    QByteArray bytes;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!QChar::isSurrogate(text[i].unicode()) || !IsUnpairedSurrogate(text, i)) continue;
        bytes += text.sliced(begin, i - begin).toUtf8();
        const char16_t unit = text[i].unicode();
        bytes += char(0xE0 | unit >> 12);
        bytes += char(0x80 | (unit >> 6 & 0x3F));
        bytes += char(0x80 | (unit & 0x3F));
        begin = i + 1;
    }
    if (begin == 0) return text.toUtf8();
    bytes += text.sliced(begin).toUtf8();
    return bytes;
}

// The length of the three bytes of a surrogate at bytes[i], or 0.
qsizetype SurrogateAt(QByteArrayView bytes, qsizetype i) {
    if (i + 2 >= bytes.size() || static_cast<unsigned char>(bytes[i]) != 0xED) return 0;
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    const auto third = static_cast<unsigned char>(bytes[i + 2]);
    return (second >= 0xA0 && second <= 0xBF && third >= 0x80 && third <= 0xBF) ? 3 : 0;
}

QString FromUtf8(QByteArrayView bytes) {
    // Only the program's own mark goes: a text that itself begins with U+FEFF keeps it.
    // Pieces between surrogates are decoded each on its own: a broken sequence before a
    // surrogate does not take bytes after it.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                    QStringConverter::Flag::Stateless);
    if (!bytes.contains('\xED')) return utf8.decode(bytes);
    QString text;
    qsizetype begin = 0;
    for (qsizetype i = bytes.indexOf('\xED'); i >= 0; i = bytes.indexOf('\xED', i + 1)) {
        if (!SurrogateAt(bytes, i)) continue;
        text += utf8.decode(bytes.sliced(begin, i - begin));
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        const auto third = static_cast<unsigned char>(bytes[i + 2]);
        text += QChar(char16_t(0xD000 | (second & 0x3F) << 6 | (third & 0x3F)));
        begin = i + 3;
        i += 2;
    }
    text += utf8.decode(bytes.sliced(begin));
    return text;
}

}  // namespace

QByteArray TTextFileCodec::Encode(QStringView editorText) {
    const QString fileText = TTextLines::ToFile(editorText);
    Cp932Codec::Encoded encoded = Cp932Codec::Encode(fileText);
    if (encoded.Exact() && !encoded.bytes.startsWith(kUtf8Mark)) return std::move(encoded.bytes);
    return kUtf8Mark + ToUtf8(fileText);
}

QString TTextFileCodec::DecodeCharacters(QByteArrayView bytes) {
    QString text = bytes.startsWith(kUtf8Mark) ? FromUtf8(bytes.sliced(kUtf8Mark.size()))
                                               : Cp932Codec::Decode(bytes);
    const qsizetype nul = text.indexOf(QChar(0));  // where the text ends, as in Decode
    if (nul >= 0) text.truncate(nul);
    return text;
}

QString TTextFileCodec::Decode(QByteArrayView bytes, TTextLines::Nul nul) {
    if (bytes.startsWith(kUtf8Mark))
        return TTextLines::FromFile(FromUtf8(bytes.sliced(kUtf8Mark.size())), nul);
    return TTextLines::FromFile(Cp932Codec::Decode(bytes), nul);
}
