// Item text files on arbitrary bytes: decoding never fails, a decoded text stored
// again decodes to itself (nothing typed is lost), also in the UTF-8 form, and bytes
// taken as they are into a document count the lines the text has. Any text (without
// CR and NUL, which no editor text holds) stored decodes to itself.
#include "FuzzSupport.h"
#include "document/TTextFileCodec.h"
#include "document/TTextLines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    const QString text = TTextFileCodec::Decode(bytes);
    const QByteArray stored = TTextFileCodec::Encode(text);
    FUZZ_CHECK(TTextFileCodec::Decode(stored) == text);
    const QString withEmoji = text + QString::fromUtf16(u"\U0001F600");
    FUZZ_CHECK(TTextFileCodec::Decode(TTextFileCodec::Encode(withEmoji)) == withEmoji);

    const QByteArray& utf8Mark = TTextFileCodec::kUtf8Mark;
    const qsizetype lines = TTextLines::CountCrLfLines(bytes);
    // (A file of one empty line holds the empty text, which the editor cannot tell apart.)
    if (lines >= 0 && !bytes.startsWith(utf8Mark) && bytes != "\r\n")
        FUZZ_CHECK(TTextLines::LineCount(text) == lines);
    if (!stored.startsWith(utf8Mark))
        FUZZ_CHECK(TTextLines::CountCrLfLines(stored) == TTextLines::LineCount(text));

    // The same bytes as UTF-16 text.
    QString typed(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    typed.remove(QChar(u'\r'));
    typed.remove(QChar(0));
    FUZZ_CHECK(TTextFileCodec::Decode(TTextFileCodec::Encode(typed)) == typed);
    return 0;
}
