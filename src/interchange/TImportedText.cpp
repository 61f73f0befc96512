#include "interchange/TImportedText.h"

#include <QStringDecoder>
#include <algorithm>

#include "document/TTextLines.h"
#include "interchange/TImportErrors.h"
#include "platform/Cp932Codec.h"

namespace {

constexpr char kEndOfFileMark = 0x1A;
constexpr char16_t kDelete = 0x7F;

bool StartsWith(QByteArrayView bytes, const char* mark) { return bytes.startsWith(mark); }

// How many bytes of a file are tried as UTF-8 before the whole of it.
constexpr qsizetype kHeadBytes = 64 * 1024;

// The first bytes of a file, cut before an ASCII byte so that no character is cut in two;
// all of them when there is no such place.
QByteArrayView Head(QByteArrayView bytes) {
    for (qsizetype end = std::min(kHeadBytes, bytes.size() - 1); end > 0; --end)
        if (static_cast<unsigned char>(bytes[end]) < 0x80) return bytes.first(end);
    return bytes;
}

bool IsEscape(QChar c) {
    return c.unicode() >= Cp932Codec::kEscapeBase + 0x40 &&
           c.unicode() <= Cp932Codec::kEscapeBase + 0xFF;
}

}  // namespace

QString TImportedText::Decode(QByteArrayView bytes, bool* plainUtf8) {
    TImportErrors::CheckSize(bytes.size());
    bool plain = false;
    const QString text = DecodeWithoutCheck(bytes, &plain);
    if (plainUtf8) *plainUtf8 = plain;
    RefuseControlCharacters(text);
    return text;
}

QStringList TImportedText::Lines(QByteArrayView bytes) { return SplitLines(Decode(bytes)); }

QStringList TImportedText::SplitLines(const QString& text) {
    if (text.isEmpty()) return {};
    return TTextLines::FromFile(text, TTextLines::Nul::IsCharacter).split(QLatin1Char('\n'));
}

QString TImportedText::DecodeWithoutCheck(QByteArrayView bytes, bool* plainUtf8) {
    QString text;
    if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
        const auto order =
            bytes[0] == '\xFF' ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        if (!DecodeStrictly(bytes.sliced(2), order, &text)) throw TImportErrors::NotText();
        return text;
    }
    const bool endOfFileMark = bytes.endsWith(kEndOfFileMark);
    if (endOfFileMark) bytes.chop(1);
    if (bytes.contains('\0')) throw TImportErrors::Binary();
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        if (!DecodeStrictly(bytes.sliced(3), QStringConverter::Utf8, &text))
            throw TImportErrors::NotText();
        return text;
    }
    // Shift-JIS text of any length is hardly ever valid UTF-8 by chance, and shows it
    // early: the file's first bytes are tried on their own before the whole file.
    if (DecodeStrictly(Head(bytes), QStringConverter::Utf8, &text) &&
        DecodeStrictly(bytes, QStringConverter::Utf8, &text)) {
        *plainUtf8 = !endOfFileMark;
        return text;
    }
    return DecodeShiftJis(bytes);
}

bool TImportedText::DecodeStrictly(QByteArrayView bytes, int encoding, QString* text) {
    // The byte order mark is gone already: a U+FEFF at the start is the text's own.
    QStringDecoder decoder(
        static_cast<QStringConverter::Encoding>(encoding),
        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    *text = decoder.decode(bytes);
    return !decoder.hasError();
}

QString TImportedText::DecodeShiftJis(QByteArrayView bytes) {
    const QString text = Cp932Codec::Decode(bytes);
    const qsizetype escapes = std::count_if(text.cbegin(), text.cend(), IsEscape);
    if (escapes * 100 > text.size()) throw TImportErrors::NotText();
    return text;
}

void TImportedText::RefuseControlCharacters(const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && (u < u'\t' || u > u'\r')) || u == kDelete) throw TImportErrors::Binary();
    }
}
