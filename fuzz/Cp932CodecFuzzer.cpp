// Code page 932 on arbitrary bytes and arbitrary UTF-16: any bytes decode to a text
// that encodes exactly and completely, to the very same bytes unless a character came
// in the code of its two that is not written; a text that encodes exactly decodes
// back to itself. Measuring the decoding counts what decoding makes. The same bytes taken
// for UTF-8 encode without a string as through one: refused exactly when they are no UTF-8,
// and exact only where Encode is, with the same bytes; the quick check agrees with Qt's.
// Encoding up to a stop byte is encoding the bytes before its first one.
#include <QStringDecoder>
#include <algorithm>

#include "FuzzSupport.h"
#include "platform/Cp932Codec.h"
#include "platform/TUtf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    Cp932Codec::Irregularities met;
    const QString decoded = Cp932Codec::Decode(bytes, &met);
    const Cp932Codec::Encoded encoded = Cp932Codec::Encode(decoded);
    FUZZ_CHECK(encoded.Exact());
    if (!met.secondCodes) FUZZ_CHECK(encoded.bytes == bytes);
    FUZZ_CHECK(Cp932Codec::Decode(encoded.bytes) == decoded);
    bool valid = false;
    (void)Cp932Codec::Decode(bytes, &valid);
    FUZZ_CHECK(valid == (!met.escapes && !met.secondCodes));
    const Cp932Codec::Measure measure = Cp932Codec::MeasureDecoding(bytes);
    FUZZ_CHECK(measure.units == decoded.size());
    FUZZ_CHECK(measure.escapes == std::count_if(decoded.begin(), decoded.end(), [](QChar c) {
                   return c.isLowSurrogate() && c.unicode() >= Cp932Codec::kEscapeBase + 0x40;
               }));

    QByteArray fromUtf8(bytes.size(), Qt::Uninitialized);
    char* end = fromUtf8.data();
    const Cp932Codec::Utf8Encoding utf8 = Cp932Codec::EncodeUtf8(bytes, end);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString asUtf8 = decoder.decode(bytes);
    FUZZ_CHECK((utf8 == Cp932Codec::Utf8Encoding::Invalid) == decoder.hasError());
    FUZZ_CHECK(TUtf8::IsValid(bytes) == !decoder.hasError());
    if (utf8 == Cp932Codec::Utf8Encoding::Exact) {
        const Cp932Codec::Encoded throughString = Cp932Codec::Encode(asUtf8);
        FUZZ_CHECK(throughString.Exact());
        FUZZ_CHECK(fromUtf8.first(end - fromUtf8.constData()) == throughString.bytes);
    }
    const char stop = size > 0 ? char(data[0] & 0x7F) : '&';
    const qsizetype first = bytes.contains(stop) ? bytes.indexOf(stop) : bytes.size();
    char* beforeEnd = fromUtf8.data();
    const Cp932Codec::Utf8Encoding before = Cp932Codec::EncodeUtf8(bytes.first(first), beforeEnd);
    QByteArray untilStop(bytes.size(), Qt::Uninitialized);
    char* untilEnd = untilStop.data();
    qsizetype read = -1;
    FUZZ_CHECK(Cp932Codec::EncodeUtf8(bytes, stop, untilEnd, read) == before);
    if (before != Cp932Codec::Utf8Encoding::Invalid) {
        FUZZ_CHECK(read == first);
        FUZZ_CHECK(untilStop.first(untilEnd - untilStop.constData()) ==
                   fromUtf8.first(beforeEnd - fromUtf8.constData()));
    }

    // The same bytes as UTF-16 text.
    const QString text(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    const Cp932Codec::Encoded fromText = Cp932Codec::Encode(text);
    FUZZ_CHECK(Cp932Codec::CanEncode(text) == fromText.Complete());
    if (fromText.Exact()) FUZZ_CHECK(Cp932Codec::Decode(fromText.bytes) == text);
    if (!fromText.Complete()) FUZZ_CHECK(!fromText.unencodable.isEmpty());
    return 0;
}
