// The hierarchical text importer on arbitrary bytes, and what it accepts written out in
// both encodings and read back.
#include "InterchangeFuzzing.h"
#include "interchange/THierarchicalText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<TOutlineEntries> entries =
        ImportChecked(THierarchicalText::Read, FuzzBytes(data, size));
    if (entries) {
        CheckReadsBack(THierarchicalText::Read, *entries, THierarchicalText::Write(*entries));
        CheckReadsBack(THierarchicalText::Read, *entries,
                       THierarchicalText::Write(*entries, THierarchicalText::Encoding::Utf8));
    }
    return 0;
}
