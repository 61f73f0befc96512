// The OPML importer on arbitrary bytes, and what it accepts written out and read back.
// Reading the notes as the bytes of their item files gives what decoding them gives.
#include "InterchangeFuzzing.h"
#include "interchange/TOpmlOutline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<TOutlineEntries> entries =
        ImportChecked(TOpmlOutline::Read, FuzzBytes(data, size));
    CheckSameForStore(entries, ImportChecked(TOpmlOutline::ReadForStore, FuzzBytes(data, size)));
    if (entries) CheckReadsBack(TOpmlOutline::Read, *entries, TOpmlOutline::Write(*entries, {}));
    return 0;
}
