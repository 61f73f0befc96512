// Code page 932 on arbitrary bytes and arbitrary UTF-16: decoding never fails, and a
// text that encodes exactly decodes back to itself.
#include "FuzzSupport.h"
#include "platform/Cp932Codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    const QString decoded = Cp932Codec::Decode(bytes);
    const Cp932Codec::Encoded encoded = Cp932Codec::Encode(decoded);
    FUZZ_CHECK(Cp932Codec::CanEncode(decoded) == encoded.Complete());
    if (encoded.Exact()) FUZZ_CHECK(Cp932Codec::Decode(encoded.bytes) == decoded);

    // The same bytes as UTF-16 text.
    const QString text(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    const Cp932Codec::Encoded fromText = Cp932Codec::Encode(text);
    FUZZ_CHECK(Cp932Codec::CanEncode(text) == fromText.Complete());
    if (fromText.Exact()) FUZZ_CHECK(Cp932Codec::Decode(fromText.bytes) == text);
    if (!fromText.Complete()) FUZZ_CHECK(!fromText.unencodable.isEmpty());
    return 0;
}
