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

bool IsEscape(QChar c) {
    return c.unicode() >= Cp932Codec::kEscapeBase + 0x40 &&
           c.unicode() <= Cp932Codec::kEscapeBase + 0xFF;
}

}  // namespace

QString TImportedText::Decode(QByteArrayView bytes) {
    TImportErrors::CheckSize(bytes.size());
    const QString text = DecodeWithoutCheck(bytes);
    RefuseControlCharacters(text);
    return text;
}

QStringList TImportedText::Lines(QByteArrayView bytes) { return SplitLines(Decode(bytes)); }

QStringList TImportedText::SplitLines(const QString& text) {
    if (text.isEmpty()) return {};
    return TTextLines::FromFile(text, TTextLines::Nul::IsCharacter).split(QLatin1Char('\n'));
}

QString TImportedText::DecodeWithoutCheck(QByteArrayView bytes) {
    QString text;
    if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF")) {
        const auto order =
            bytes[0] == '\xFF' ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
        if (!DecodeStrictly(bytes.sliced(2), order, &text)) throw TImportErrors::NotText();
        return text;
    }
    if (bytes.endsWith(kEndOfFileMark)) bytes.chop(1);
    if (bytes.contains('\0')) throw TImportErrors::Binary();
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        if (!DecodeStrictly(bytes.sliced(3), QStringConverter::Utf8, &text))
            throw TImportErrors::NotText();
        return text;
    }
    // Shift-JIS text of any length is hardly ever valid UTF-8 by chance.
    if (DecodeStrictly(bytes, QStringConverter::Utf8, &text)) return text;
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
