// The document reader on arbitrary bytes: a malformed document throws
// TDocumentFormatError and nothing else; a document the check accepts reads, writes
// and reads back to the same outline.
#include <QDir>
#include <QTemporaryDir>

#include "FuzzSupport.h"
#include "document/TDocumentFormatError.h"
#include "document/TDocumentReader.h"
#include "document/TDocumentWriter.h"
#include "document/TItemTextStore.h"
#include "document/TOutline.h"
#include "document/TOutlineItem.h"

namespace {

const TItemTextStore& Store() {
    static QTemporaryDir dir;
    static const TItemTextStore store(dir.path() + QLatin1Char('/'));
    return store;
}

QStringList Shape(const TOutline& outline) {
    QStringList shape;
    outline.ForEach([&](TOutlineItem* item) {
        const TOutlineItem* parent = item->Parent();
        const int parentIndex =
            parent && parent != outline.Root() ? outline.AbsoluteIndexOf(parent) : -1;
        shape << QString::number(parentIndex) + QLatin1Char('|') + item->Label;
    });
    return shape;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    bool accepted = true;
    try {
        TDocumentReader::Check(bytes);
    } catch (const TDocumentFormatError&) {
        accepted = false;
    }

    const TItemTextStore& store = Store();
    int next = 0;
    auto allocate = [&] { return next = store.FirstFreeNumber(next) + 1, next - 1; };
    try {
        TDocumentReader::Result first = TDocumentReader::Read(bytes, allocate, store);
        FUZZ_CHECK(accepted);
        FUZZ_CHECK(first.outline.Count() > 0);

        // What was read writes out and reads back to the same outline.
        const TDocumentWriter::Output written = TDocumentWriter::Write(first.outline, store);
        if (written.Complete()) {
            TDocumentReader::Result second =
                TDocumentReader::Read(written.Bytes(), allocate, store);
            FUZZ_CHECK(second.outline.Count() == first.outline.Count());
            FUZZ_CHECK(second.expanded.size() == first.expanded.size());
            const QStringList a = Shape(first.outline);
            const QStringList b = Shape(second.outline);
            FUZZ_CHECK(a == b);
            for (int k = 0; k < first.outline.Count(); ++k)
                FUZZ_CHECK(store.Load(first.outline.ItemAt(k)->ItemNumber) ==
                           store.Load(second.outline.ItemAt(k)->ItemNumber));
        }
    } catch (const TDocumentFormatError&) {
        FUZZ_CHECK(!accepted);
    }
    store.RemoveAll();
    return 0;
}
