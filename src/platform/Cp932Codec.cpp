#include "platform/Cp932Codec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>
#include <array>
#include <cstdint>
#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/TUtf8.h"

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
        case 0x2014:
            return 0x2015;  // EM DASH -> HORIZONTAL BAR (81 5C)
        // The converter maps this private use character one way only (it reads 87 82 back
        // as U+2116): it is a look-alike too, or a text holding it would change when read.
        case 0xF86F: return 0x2116;  // -> NUMERO SIGN (87 82)
        default: return c;
    }
}

// ---------------------------------------------------------------------------------
// Decoding

constexpr char16_t kEscapeBase = Cp932Codec::kEscapeBase;
// Bytes below are characters wherever they stand: never a lead byte, never the second
// byte of a pair, and the converter maps each to a character of its own.
constexpr unsigned kFirstEscapedByte = 0x40;

constexpr bool IsLeadByte(unsigned b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
constexpr bool IsTrailByte(unsigned b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// An entry of the decoding tables: the UTF-16 code unit in the low 16 bits, what it
// is in the bits above.
enum : uint32_t {
    kUnit = 0xFFFF,
    kEscaped = 1u << 16,     // the unit is an escape
    kSecondCode = 1u << 17,  // the character's other code is the one Encode writes
    kLead = 1u << 18,        // single bytes: a lead byte; the low bits are its row of pairs
    kNoPair = 1u << 19,      // pairs: the second byte cannot follow the lead byte
    kUnassigned = 1u << 20,  // pairs: no character; both bytes are escaped
};
constexpr uint32_t kIrregular = kEscaped | kSecondCode;

struct DecodeTable {
    std::array<uint32_t, 256> singles{};
    // 256 entries for every lead byte, indexed by the byte after it.
    std::vector<uint32_t> pairs;
    // Whether every byte up to 0x7E except 0x18, 0x1A, 0x1C and 0x1E (the converter
    // swaps 0x1A, 0x1C and 0x7F around) is the character of the same number.
    bool asciiIsIdentity = false;
};

// What the converter makes of each of a list of codes (one or two bytes each).
struct Converted {
    // The single character the code decodes to; -1 when it decodes to anything else.
    int character = -1;
    // The code that character encodes to: a single byte, or (first << 8 | second); -1
    // when it has none.
    int back = -1;
};

// joined holds the codes, each followed by a line break byte, which is never part of a
// code: two calls of the converter do every code, and the results split where the
// codes were joined. A result that does not split into count pieces leaves every code
// without a character.
std::vector<Converted> ConvertEach(QByteArrayView joined, qsizetype count) {
    std::vector<Converted> result(count);
    QStringDecoder decoder(kCodecName);
    const QString decoded = decoder.decode(joined);
    if (decoded.count(u'\n') != count) return result;
    QString characters;
    characters.reserve(2 * count);
    qsizetype begin = 0;
    for (Converted& converted : result) {
        const qsizetype end = decoded.indexOf(u'\n', begin);
        const QStringView piece = QStringView(decoded).sliced(begin, end - begin);
        begin = end + 1;
        if (piece.size() == 1) {
            const char16_t c = piece[0].unicode();
            // U+FFFD is what the converter reads a code without a character as; no code
            // of code page 932 is that character.
            if (c != 0xFFFD && !QChar::isSurrogate(c) && BestFit(c) == c) {
                converted.character = c;
                characters += piece;
            }
        }
        characters += u'\n';
    }
    QStringEncoder encoder(kCodecName);
    const QByteArray encoded = encoder.encode(characters);
    if (encoded.count('\n') != count) return std::vector<Converted>(count);
    begin = 0;
    for (Converted& converted : result) {
        const qsizetype end = encoded.indexOf('\n', begin);
        const QByteArrayView bytes = QByteArrayView(encoded).sliced(begin, end - begin);
        begin = end + 1;
        if (converted.character < 0) continue;
        if (bytes.size() == 1) converted.back = static_cast<unsigned char>(bytes[0]);
        if (bytes.size() == 2)
            converted.back =
                static_cast<unsigned char>(bytes[0]) << 8 | static_cast<unsigned char>(bytes[1]);
    }
    return result;
}

// The tables follow the converter: a code is a character when it decodes to one that
// encodes back to the same code. A pair that decodes to a character written with
// another pair (a second code) still is that character; everything else is escaped.
DecodeTable BuildDecodeTable() {
    DecodeTable table;

    QByteArray joined;
    std::vector<unsigned> singleBytes;
    for (unsigned b = 0; b < 256; ++b) {
        // The line break byte is the separator; its own round trip is what lets the
        // results split.
        if (IsLeadByte(b) || b == '\n') continue;
        singleBytes.push_back(b);
        joined += char(b);
        joined += '\n';
    }
    const std::vector<Converted> singles = ConvertEach(joined, qsizetype(singleBytes.size()));
    bool splitOnLineBreaks = false;
    for (unsigned b = 0; b < 256; ++b) table.singles[b] = kEscaped | (kEscapeBase + b);
    for (size_t k = 0; k < singleBytes.size(); ++k) {
        const unsigned b = singleBytes[k];
        if (singles[k].back != int(b)) continue;
        table.singles[b] = char16_t(singles[k].character);
        splitOnLineBreaks = true;
    }
    if (splitOnLineBreaks) table.singles['\n'] = u'\n';
    for (unsigned b = 0; b < kFirstEscapedByte; ++b) Q_ASSERT(!(table.singles[b] & kEscaped));

    std::vector<unsigned> pairCodes;
    joined.clear();
    unsigned rows = 0;
    for (unsigned lead = 0; lead < 256; ++lead) {
        if (!IsLeadByte(lead)) continue;
        table.singles[lead] = kLead | (rows++ * 256);
        for (unsigned trail = 0; trail < 256; ++trail) {
            if (!IsTrailByte(trail)) continue;
            pairCodes.push_back(lead << 8 | trail);
            joined += char(lead);
            joined += char(trail);
            joined += '\n';
        }
    }
    const std::vector<Converted> pairs = ConvertEach(joined, qsizetype(pairCodes.size()));
    table.pairs.assign(static_cast<std::size_t>(rows) * 256, kNoPair);
    auto entry = [&](unsigned code) -> uint32_t& {
        return table.pairs[(table.singles[code >> 8] & kUnit) + (code & 0xFF)];
    };
    for (size_t k = 0; k < pairCodes.size(); ++k) {
        const bool roundTrip = pairs[k].back == int(pairCodes[k]);
        entry(pairCodes[k]) = roundTrip ? uint32_t(pairs[k].character) : uint32_t(kUnassigned);
    }
    for (size_t k = 0; k < pairCodes.size(); ++k) {
        const int back = pairs[k].back;
        if (entry(pairCodes[k]) != kUnassigned || back < 0 || !IsLeadByte(back >> 8) ||
            !IsTrailByte(back & 0xFF))
            continue;
        // The other code must be the character's own, or the text would not encode
        // to what it reads back as.
        if (entry(back) == uint32_t(pairs[k].character))
            entry(pairCodes[k]) = pairs[k].character | kSecondCode;
    }

    table.asciiIsIdentity = true;
    for (unsigned b = 0; b < 0x7F; ++b) {
        if (b == 0x18 || b == 0x1A || b == 0x1C || b == 0x1E) continue;
        if (table.singles[b] != b) table.asciiIsIdentity = false;
    }
    return table;
}

const DecodeTable& Table() {
    static const DecodeTable table = BuildDecodeTable();
    return table;
}

constexpr uint64_t kOnes = 0x0101010101010101;
constexpr uint64_t kHighBits = 0x8080808080808080;

// Whether all eight bytes of word are below 0x7F and none is 0x18, 0x1A, 0x1C or 0x1E:
// bytes that the tables map to the character of the same number.
inline bool IsPlainAscii(uint64_t word) {
    // Adding 1 to a byte below 0x80 sets its top bit only when it is 0x7F.
    const uint64_t high = (word | (word + kOnes)) & kHighBits;
    // Zero exactly in the bytes 0x18, 0x1A, 0x1C and 0x1E.
    const uint64_t controls = (word & (kOnes * 0xF9)) ^ (kOnes * 0x18);
    const uint64_t zero = (controls - kOnes) & ~controls & kHighBits;
    return (high | zero) == 0;
}

// Whether a byte of word is the given one.
inline bool HasByte(uint64_t word, unsigned char byte) {
    const uint64_t differences = word ^ (kOnes * byte);
    return ((differences - kOnes) & ~differences & kHighBits) != 0;
}

// Where the whole words of plain ASCII that begin at data[i] end, before end and before
// the first word holding the stop byte, when there is one.
template <bool kStops>
qsizetype PlainAsciiEndBefore(const unsigned char* data, qsizetype i, qsizetype end,
                              unsigned char stop) {
    // Most characters of a Japanese text begin with a byte that starts no such word.
    if (i < end && data[i] >= 0x80) return i;
    for (uint64_t word; i + 8 <= end; i += 8) {
        std::memcpy(&word, data + i, 8);
        if (!IsPlainAscii(word) || (kStops && HasByte(word, stop))) break;
    }
    return i;
}

inline qsizetype PlainAsciiEnd(const unsigned char* data, qsizetype i, qsizetype end) {
    return PlainAsciiEndBefore<false>(data, i, end, 0);
}

// Decodes bytes; *met collects kEscaped and kSecondCode.
QString DecodeWithTable(QByteArrayView bytes, uint32_t* met) {
    *met = 0;
    if (bytes.isEmpty()) return {};
    const DecodeTable& table = Table();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    // No byte makes more than one code unit.
    QString text(size, Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* out = begin;
    const qsizetype asciiEnd = table.asciiIsIdentity ? size : 0;
    uint32_t flags = 0;
    qsizetype i = 0;
    while (i < size) {
        for (const qsizetype plainEnd = PlainAsciiEnd(data, i, asciiEnd); i < plainEnd; ++i)
            *out++ = data[i];
        if (i == size) break;
        const uint32_t single = table.singles[data[i]];
        if (!(single & kLead)) {
            *out++ = char16_t(single);
            flags |= single;
            ++i;
            continue;
        }
        if (i + 1 < size) {
            const uint32_t pair = table.pairs[(single & kUnit) + data[i + 1]];
            if (!(pair & (kNoPair | kUnassigned))) {
                *out++ = char16_t(pair);
                flags |= pair;
                i += 2;
                continue;
            }
            if (pair & kUnassigned) {
                *out++ = char16_t(kEscapeBase + data[i]);
                *out++ = char16_t(kEscapeBase + data[i + 1]);
                flags |= kEscaped;
                i += 2;
                continue;
            }
        }
        // A lead byte at the end, or before a byte that cannot follow it.
        *out++ = char16_t(kEscapeBase + data[i]);
        flags |= kEscaped;
        ++i;
    }
    text.truncate(out - begin);
    *met = flags & kIrregular;
    return text;
}

// Decodes bytes as DecodeWithTable does, counting instead of writing.
Cp932Codec::Measure MeasureWithTable(QByteArrayView bytes) {
    const DecodeTable& table = Table();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    const qsizetype asciiEnd = table.asciiIsIdentity ? size : 0;
    Cp932Codec::Measure measure;
    qsizetype i = 0;
    while (i < size) {
        const qsizetype plainEnd = PlainAsciiEnd(data, i, asciiEnd);
        measure.units += plainEnd - i;
        i = plainEnd;
        if (i == size) break;
        const uint32_t single = table.singles[data[i]];
        ++measure.units;
        if (!(single & kLead)) {
            measure.escapes += (single & kEscaped) ? 1 : 0;
            ++i;
            continue;
        }
        const uint32_t pair = i + 1 < size ? table.pairs[(single & kUnit) + data[i + 1]] : kNoPair;
        if (pair & kNoPair) {  // a lead byte at the end, or before a byte that cannot follow it
            ++measure.escapes;
            ++i;
            continue;
        }
        if (pair & kUnassigned) {
            ++measure.units;
            measure.escapes += 2;
        }
        i += 2;
    }
    return measure;
}

// ---------------------------------------------------------------------------------
// Encoding

constexpr uint16_t kNoCode = 0xFFFF;  // no lead byte is 0xFF

// The code of every BMP character that decodes from a code of its own and encodes back
// to it: the decoding tables read backwards. kNoCode for the rest, which the converter
// is asked about (look-alikes are mapped before the table is looked at).
std::vector<uint16_t> BuildEncodeTable() {
    const DecodeTable& decode = Table();
    std::vector<uint16_t> codes(0x10000, kNoCode);
    for (unsigned b = 0; b < 256; ++b) {
        const uint32_t single = decode.singles[b];
        if (!(single & (kLead | kEscaped))) codes[single & kUnit] = uint16_t(b);
    }
    for (unsigned lead = 0; lead < 256; ++lead) {
        const uint32_t single = decode.singles[lead];
        if (!(single & kLead)) continue;
        for (unsigned trail = 0; trail < 256; ++trail) {
            const uint32_t pair = decode.pairs[(single & kUnit) + trail];
            if (pair & (kNoPair | kUnassigned | kSecondCode)) continue;
            codes[pair & kUnit] = uint16_t(lead << 8 | trail);
        }
    }
    // Encoding looks a character up before anything else: the look-alikes and the
    // surrogates must find no code, so that they are mapped or taken as escapes first.
    for (unsigned c = 0; c < 0x10000; ++c)
        if (BestFit(char16_t(c)) != c || QChar::isSurrogate(c)) codes[c] = kNoCode;
    return codes;
}

const std::vector<uint16_t>& EncodeTable() {
    static const std::vector<uint16_t> table = BuildEncodeTable();
    return table;
}

// Whether text[i] is an escape: an unpaired low surrogate standing for a byte that
// decoding escapes.
inline bool IsEscape(QStringView text, qsizetype i) {
    const char16_t c = text[i].unicode();
    return c >= kEscapeBase + kFirstEscapedByte && c <= kEscapeBase + 0xFF &&
           (i == 0 || !text[i - 1].isHighSurrogate());
}

// The converter's bytes for text; escapes, when text may hold any, become their bytes.
QByteArray EncodeRaw(QStringView text, bool mayHoldEscapes, bool* failed, bool* escaped) {
    QStringEncoder encoder(kCodecName);
    QByteArray bytes;
    if (!mayHoldEscapes) {
        bytes = encoder.encode(text);
    } else {
        // The converter between escapes: a piece never ends in a high surrogate waiting
        // for its partner, since a low surrogate after one is no escape.
        bytes.resize(encoder.requiredSpace(text.size()));
        char* out = bytes.data();
        qsizetype begin = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!IsEscape(text, i)) continue;
            out = encoder.appendToBuffer(out, text.sliced(begin, i - begin));
            *out++ = char(text[i].unicode() - kEscapeBase);
            begin = i + 1;
            *escaped = true;
        }
        out = encoder.appendToBuffer(out, text.sliced(begin));
        bytes.truncate(out - bytes.constData());
    }
    // A high surrogate at the very end waits for its partner inside the converter and
    // is dropped without an error: it has no code page 932 form either.
    *failed = encoder.hasError() || (!text.isEmpty() && text.back().isHighSurrogate());
    return bytes;
}

QString Unencodable(QStringView text) {
    QString found;
    for (qsizetype i = 0; i < text.size();) {
        if (IsEscape(text, i)) {
            ++i;
            continue;
        }
        const qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QStringView character = text.mid(i, length);
        bool failed = false;
        bool escaped = false;
        EncodeRaw(character, false, &failed, &escaped);
        if (failed && !found.contains(character)) found += character;
        i += length;
    }
    return found;
}

}  // namespace

QString Cp932Codec::Decode(QByteArrayView bytes) {
    uint32_t met = 0;
    return DecodeWithTable(bytes, &met);
}

Cp932Codec::Measure Cp932Codec::MeasureDecoding(QByteArrayView bytes) {
    return MeasureWithTable(bytes);
}

QString Cp932Codec::Decode(QByteArrayView bytes, bool* valid) {
    uint32_t met = 0;
    QString text = DecodeWithTable(bytes, &met);
    *valid = met == 0;
    return text;
}

QString Cp932Codec::Decode(QByteArrayView bytes, Irregularities* met) {
    uint32_t flags = 0;
    QString text = DecodeWithTable(bytes, &flags);
    met->escapes = flags & kEscaped;
    met->secondCodes = flags & kSecondCode;
    return text;
}

namespace {

// Encodes text with the table alone, the way the converter would; false (and result
// untouched) when a character is not in the table: a surrogate pair, a character without
// a code, an unpaired surrogate that is no escape. Escapes are written as their bytes.
bool EncodeWithTable(QStringView text, Cp932Codec::Encoded* result) {
    const std::vector<uint16_t>& table = EncodeTable();
    QByteArray bytes(2 * text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    bool bestFitUsed = false;
    bool escaped = false;
    const char16_t* const units = reinterpret_cast<const char16_t*>(text.data());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = units[i];
        uint16_t code = table[unit];
        // Most characters take the first or the second way out; the table has no code
        // for the surrogates and the look-alikes.
        if (code <= 0xFF) {
            *out++ = char(code);
            continue;
        }
        if (code == kNoCode) {
            if (QChar::isSurrogate(unit)) {
                if (!IsEscape(text, i)) return false;
                *out++ = char(unit - kEscapeBase);
                escaped = true;
                continue;
            }
            const char16_t fit = BestFit(unit);
            if (fit == unit || table[fit] == kNoCode) return false;
            bestFitUsed = true;
            code = table[fit];
            if (code <= 0xFF) {
                *out++ = char(code);
                continue;
            }
        }
        *out++ = char(code >> 8);
        *out++ = char(code & 0xFF);
    }
    bytes.truncate(out - bytes.constData());
    result->bytes = std::move(bytes);
    result->bestFitUsed = bestFitUsed;
    if (escaped && !bestFitUsed) {
        uint32_t met = 0;
        result->escapesRegrouped = DecodeWithTable(result->bytes, &met) != text;
    }
    return true;
}

}  // namespace

Cp932Codec::Encoded Cp932Codec::Encode(QStringView text) {
    Encoded result;
    if (EncodeWithTable(text, &result)) return result;
    bool surrogates = false;
    for (QChar c : text) {
        const char16_t unit = c.unicode();
        surrogates |= QChar::isSurrogate(unit);
        result.bestFitUsed |= BestFit(unit) != unit;
    }
    QString mapped;
    if (result.bestFitUsed) {
        mapped = text.toString();
        for (QChar& c : mapped) c = QChar(BestFit(c.unicode()));
        text = mapped;
    }
    bool failed = false;
    bool escaped = false;
    result.bytes = EncodeRaw(text, surrogates, &failed, &escaped);
    if (failed) {
        result.unencodable = Unencodable(text);
    } else if (escaped && !result.bestFitUsed) {
        uint32_t met = 0;
        result.escapesRegrouped = DecodeWithTable(result.bytes, &met) != text;
    }
    return result;
}

namespace {

// The character of three bytes of UTF-8 that word begins with, when it has a code of two
// bytes: the code, big-endian, in the form it is written; 0 for anything else (no code is
// 0x0000). No sequence of three bytes gives U+0000, which has a code of one byte.
inline uint16_t DoubleByteCode(const uint16_t* table, uint32_t word) {
    const uint16_t encoded = table[TUtf8::ThreeBytes(word)];
    return encoded <= 0xFF || encoded == kNoCode ? 0 : qToBigEndian(encoded);
}

// EncodeUtf8, ending at the first stop byte when kStops: *read tells where it ended.
template <bool kStops>
Cp932Codec::Utf8Encoding EncodeUtf8Until(QByteArrayView utf8, char*& out, unsigned char stop,
                                         qsizetype* read) {
    using Utf8Encoding = Cp932Codec::Utf8Encoding;
    // Locals rather than what the bytes written could alias, so that nothing is read again
    // after each byte.
    const uint16_t* const table = EncodeTable().data();
    char* into = out;
    const auto* data = reinterpret_cast<const unsigned char*>(utf8.data());
    const qsizetype size = utf8.size();
    const qsizetype asciiEnd = Table().asciiIsIdentity ? size : 0;
    Utf8Encoding result = Utf8Encoding::Exact;
    qsizetype i = 0;
    while (i < size) {
        char32_t code = data[i];
        if (code < 0x80) {
            if (kStops && code == stop) break;
            const qsizetype plainEnd = PlainAsciiEndBefore<kStops>(data, i, asciiEnd, stop);
            if (plainEnd > i) {
                std::memcpy(into, data + i, plainEnd - i);
                into += plainEnd - i;
                i = plainEnd;
                continue;
            }
        }
        // Most characters of a Japanese text: three bytes, and a code of two. They are
        // taken in a loop of their own, four bytes read at once; one that ends the bytes
        // right after it, for the pieces given are short, a line or less.
        const qsizetype before = i;
        for (uint32_t word; i + 4 <= size; i += 3, into += 2) {
            std::memcpy(&word, data + i, 4);
            const uint16_t written = DoubleByteCode(table, qFromLittleEndian(word));
            if (written == 0) break;
            std::memcpy(into, &written, 2);
        }
        if (i + 3 == size) {
            const uint16_t written =
                DoubleByteCode(table, uint32_t(data[i]) | uint32_t(data[i + 1]) << 8 |
                                          uint32_t(data[i + 2]) << 16);
            if (written != 0) {
                std::memcpy(into, &written, 2);
                i += 3;
                into += 2;
            }
        }
        if (i > before) continue;
        qsizetype length = 1;
        if (code >= 0x80) {
            std::tie(code, length) = TUtf8::DecodeSequence(data, i, size);
            if (length == 0) return Utf8Encoding::Invalid;
        }
        i += length;
        const uint16_t encoded = code <= 0xFFFF ? table[code] : kNoCode;
        if (encoded == kNoCode) {
            result = Utf8Encoding::Inexact;
        } else if (encoded <= 0xFF) {
            *into++ = char(encoded);
        } else {
            *into++ = char(encoded >> 8);
            *into++ = char(encoded & 0xFF);
        }
    }
    out = into;
    if (read) *read = i;
    return result;
}

}  // namespace

Cp932Codec::Utf8Encoding Cp932Codec::EncodeUtf8(QByteArrayView utf8, char*& out) {
    return EncodeUtf8Until<false>(utf8, out, 0, nullptr);
}

Cp932Codec::Utf8Encoding Cp932Codec::EncodeUtf8(QByteArrayView utf8, char stop, char*& out,
                                                qsizetype& read) {
    return EncodeUtf8Until<true>(utf8, out, static_cast<unsigned char>(stop), &read);
}

bool Cp932Codec::CanEncode(QStringView text) { return Encode(text).Complete(); }
