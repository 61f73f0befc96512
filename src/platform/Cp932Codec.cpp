#include "platform/Cp932Codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const char* const kCodecName = "windows-31j";

// Unicode characters that have no code page 932 form of their own but whose
// look-alike Windows writes instead.
char16_t BestFit(char16_t c) {
    switch (c) {
        case 0x301C: return 0xFF5E;  // WAVE DASH -> FULLWIDTH TILDE (81 60)
        case 0x2212: return 0xFF0D;  // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS (81 7C)
        case 0x2016: return 0x2225;  // DOUBLE VERTICAL LINE -> PARALLEL TO (81 61)
        case 0x00A2: return 0xFFE0;  // CENT SIGN (81 91)
        case 0x00A3: return 0xFFE1;  // POUND SIGN (81 92)
        case 0x00AC: return 0xFFE2;  // NOT SIGN (81 CA)
        case 0x2014: return 0x2015;  // EM DASH -> HORIZONTAL BAR (81 5C)
        // The converter maps this private use character one way only (it reads 87 82 back
        // as U+2116): it is a look-alike too, or a text holding it would change when read.
        case 0xF86F: return 0x2116;  // -> NUMERO SIGN (87 82)
        default: return c;
    }
}

bool NeedsBestFit(QStringView text) {
    for (QChar c : text) {
        if (BestFit(c.unicode()) != c.unicode()) return true;
    }
    return false;
}

QByteArray EncodeRaw(QStringView text, bool* failed) {
    QStringEncoder encoder(kCodecName);
    QByteArray bytes = encoder.encode(text);
    // A high surrogate at the very end waits for its partner inside the converter and
    // is dropped without an error: it has no code page 932 form either.
    *failed = encoder.hasError() || (!text.isEmpty() && text.back().isHighSurrogate());
    return bytes;
}

QString Unencodable(QStringView text) {
    QString found;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QStringView character = text.mid(i, length);
        bool failed = false;
        EncodeRaw(character, &failed);
        if (failed && !found.contains(character)) found += character;
        i += length;
    }
    return found;
}

}  // namespace

QString Cp932Codec::Decode(QByteArrayView bytes) {
    bool valid = false;
    return Decode(bytes, &valid);
}

QString Cp932Codec::Decode(QByteArrayView bytes, bool* valid) {
    QStringDecoder decoder(kCodecName);
    QString text = decoder.decode(bytes);
    *valid = !decoder.hasError();
    return text;
}

Cp932Codec::Encoded Cp932Codec::Encode(QStringView text) {
    Encoded result;
    QString mapped;
    if (NeedsBestFit(text)) {
        result.bestFitUsed = true;
        mapped = text.toString();
        for (QChar& c : mapped) c = QChar(BestFit(c.unicode()));
        text = mapped;
    }
    bool failed = false;
    result.bytes = EncodeRaw(text, &failed);
    if (failed) result.unencodable = Unencodable(text);
    return result;
}

bool Cp932Codec::CanEncode(QStringView text) { return Encode(text).Complete(); }
