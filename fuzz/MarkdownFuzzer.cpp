// The Markdown importer on arbitrary bytes, and what it accepts written out and read back.
// Reading the texts as the bytes of their item files gives what decoding them gives.
#include "InterchangeFuzzing.h"
#include "interchange/TMarkdownOutline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<TOutlineEntries> entries =
        ImportChecked(TMarkdownOutline::Read, FuzzBytes(data, size));
    CheckSameForStore(entries,
                      ImportChecked(TMarkdownOutline::ReadForStore, FuzzBytes(data, size)));
    if (entries)
        CheckReadsBack(TMarkdownOutline::Read, *entries, TMarkdownOutline::Write(*entries));
    return 0;
}
