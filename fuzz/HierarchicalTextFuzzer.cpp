// The hierarchical text importer on arbitrary bytes, and what it accepts written out in
// both encodings and read back. Shift-JIS bytes that happen to be valid UTF-8 too (a few
// half-width katakana) read as UTF-8: that is how the importer tells the encodings apart.
// Reading the texts as the bytes of their item files gives what decoding them gives.
#include <QStringDecoder>

#include "InterchangeFuzzing.h"
#include "interchange/THierarchicalText.h"

namespace {

bool IsUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringConverter::Utf8);
    decoder.decode(bytes);
    return !decoder.hasError();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<TOutlineEntries> entries =
        ImportChecked(THierarchicalText::Read, FuzzBytes(data, size));
    CheckSameForStore(entries,
                      ImportChecked(THierarchicalText::ReadForStore, FuzzBytes(data, size)));
    if (entries) {
        const TExport shiftJis = THierarchicalText::Write(*entries);
        if (!IsUtf8(shiftJis.bytes)) CheckReadsBack(THierarchicalText::Read, *entries, shiftJis);
        CheckReadsBack(THierarchicalText::Read, *entries,
                       THierarchicalText::Write(*entries, THierarchicalText::Encoding::Utf8));
    }
    return 0;
}
