// Item text files on arbitrary bytes: decoding never fails, a decoded text stored
// again decodes to itself (nothing typed is lost), and bytes taken as they are into a
// document count the lines the text has.
#include "FuzzSupport.h"
#include "document/TTextFileCodec.h"
#include "document/TTextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    const QString text = TTextFileCodec::Decode(bytes);
    const QByteArray stored = TTextFileCodec::Encode(text);
    FUZZ_CHECK(TTextFileCodec::Decode(stored) == text);

    const QByteArray& utf8Mark = TTextFileCodec::kUtf8Mark;
    const qsizetype lines = TTextLines::CountCrLfLines(bytes);
    // (A file of one empty line holds the empty text, which the editor cannot tell apart.)
    if (lines >= 0 && !bytes.startsWith(utf8Mark) && bytes != "\r\n") FUZZ_CHECK(TTextLines::LineCount(text) == lines);
    if (!stored.startsWith(utf8Mark)) FUZZ_CHECK(TTextLines::CountCrLfLines(stored) == TTextLines::LineCount(text));
    return 0;
}
