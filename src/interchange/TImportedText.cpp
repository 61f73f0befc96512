#include "interchange/TImportedText.h"

#include <QStringDecoder>
#include <algorithm>
#include <atomic>
#include <vector>

#include "document/TTextLines.h"
#include "interchange/TImportErrors.h"
#include "platform/Cp932Codec.h"
#include "platform/TParallel.h"

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

// Files are decoded in pieces of about this many bytes, on several threads.
constexpr qsizetype kPieceBytes = 1 << 20;

// decode(piece, &text) for every piece of bytes, on several threads; the texts joined in
// order. False when decode returned false for one of them.
template <typename Decode>
bool DecodeInPieces(QByteArrayView bytes, QString* text, Decode decode) {
    const qsizetype count = TParallel::RunCount(bytes.size(), kPieceBytes);
    if (count == 1) return decode(bytes, text);
    std::vector<QString> pieces(count);
    std::atomic<bool> failed{false};
    TParallel::ForLineRuns(bytes, kPieceBytes, [&](qsizetype run, QByteArrayView lines) {
        if (!failed && !decode(lines, &pieces[run])) failed = true;
    });
    if (failed) return false;
    qsizetype size = 0;
    for (const QString& piece : pieces) size += piece.size();
    text->clear();
    text->reserve(size);
    for (const QString& piece : pieces) text->append(piece);
    return true;
}

// 1 for a control character no text holds, DEL and NUL among them; 0 for the rest. Without
// a branch, so that the compiler makes a loop over it look at many units at once.
unsigned IsRefused(char16_t c) {
    const unsigned u = c;
    return (unsigned(u < 0x20) & unsigned(u - u'\t' > u'\r' - u'\t')) | unsigned(u == kDelete);
}

// 1 for an escape, 0 for the rest; without a branch, as IsRefused.
unsigned IsEscape(char16_t c) {
    constexpr unsigned kFirst = Cp932Codec::kEscapeBase + 0x40;
    return unsigned(unsigned(c) - kFirst <= Cp932Codec::kEscapeBase + 0xFF - kFirst);
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

bool TImportedText::StartsAsShiftJis(QByteArrayView bytes) {
    if (StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF") ||
        StartsWith(bytes, "\xEF\xBB\xBF") || bytes.endsWith(kEndOfFileMark))
        return false;
    QString head;
    return !DecodeStrictly(Head(bytes), QStringConverter::Utf8, &head);
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
    const auto utf8 = [](QByteArrayView piece, QString* decoded) {
        return DecodeStrictly(piece, QStringConverter::Utf8, decoded);
    };
    if (utf8(Head(bytes), &text) && DecodeInPieces(bytes, &text, utf8)) {
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
    std::atomic<qsizetype> escapes{0};
    QString text;
    DecodeInPieces(bytes, &text, [&](QByteArrayView piece, QString* decoded) {
        *decoded = Cp932Codec::Decode(piece);
        const char16_t* const units = reinterpret_cast<const char16_t*>(decoded->constData());
        const qsizetype size = decoded->size();
        qsizetype found = 0;
        for (qsizetype i = 0; i < size; ++i) found += IsEscape(units[i]);
        escapes += found;
        return true;
    });
    if (escapes * 100 > text.size()) throw TImportErrors::NotText();
    return text;
}

void TImportedText::RefuseControlCharacters(const QString& text) {
    const char16_t* const units = reinterpret_cast<const char16_t*>(text.constData());
    TParallel::ForRuns(text.size(), kPieceBytes, [&](qsizetype, qsizetype begin, qsizetype end) {
        unsigned found = 0;
        for (qsizetype i = begin; i < end; ++i) found |= IsRefused(units[i]);
        if (found) throw TImportErrors::Binary();
    });
}
