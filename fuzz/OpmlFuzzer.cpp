// The OPML importer on arbitrary bytes, and what it accepts written out and read back.
// Reading the notes as the bytes of their item files gives what decoding them gives, and
// what the reader of our export's own shape takes, the tree reads the same.
#include "InterchangeFuzzing.h"
#include "interchange/TOpmlLines.h"
#include "interchange/TOpmlOutline.h"
#include "interchange/TOpmlTree.h"

namespace {

void CheckSameAsTree(QByteArrayView bytes) {
    const std::optional<TOutlineEntries> lines = TOpmlLines::Read(bytes, TEntryTexts::Decoded);
    if (lines) FUZZ_CHECK(TOpmlTree::Read(bytes) == lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    const std::optional<TOutlineEntries> entries = ImportChecked(TOpmlOutline::Read, bytes);
    CheckSameForStore(entries, ImportChecked(TOpmlOutline::ReadForStore, bytes));
    CheckSameAsTree(bytes);
    if (!entries) return 0;
    const TExport written = TOpmlOutline::Write(*entries, {});
    CheckSameAsTree(written.bytes);
    CheckReadsBack(TOpmlOutline::Read, *entries, written);
    return 0;
}
