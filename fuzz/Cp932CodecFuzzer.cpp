// Code page 932 on arbitrary bytes and arbitrary UTF-16: any bytes decode to a text
// that encodes exactly and completely, to the very same bytes unless a character came
// in the code of its two that is not written; a text that encodes exactly decodes
// back to itself. Measuring the decoding counts what decoding makes.
#include <algorithm>

#include "FuzzSupport.h"
#include "platform/Cp932Codec.h"

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

    // The same bytes as UTF-16 text.
    const QString text(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    const Cp932Codec::Encoded fromText = Cp932Codec::Encode(text);
    FUZZ_CHECK(Cp932Codec::CanEncode(text) == fromText.Complete());
    if (fromText.Exact()) FUZZ_CHECK(Cp932Codec::Decode(fromText.bytes) == text);
    if (!fromText.Complete()) FUZZ_CHECK(!fromText.unencodable.isEmpty());
    return 0;
}
