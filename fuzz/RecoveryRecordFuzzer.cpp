// The recovery record on arbitrary bytes: a record that is not whole throws AppError and
// nothing else; one that is read writes a record that reads back to the same outline. The same
// bytes made into an outline (labels of any UTF-16 code units, any shape) write a record that reads
// back to that outline, and that no shorter part of reads at all.
#include <QStringList>
#include <cstring>

#include "FuzzSupport.h"
#include "document/TRecoveryRecord.h"
#include "platform/AppError.h"

namespace {

QStringList Items(const TOutline& outline) {
    QStringList items;
    outline.ForEach([&](TOutlineItem* item) {
        items << QString::number(outline.AbsoluteIndexOf(item->Parent())) + u'|' +
                     QString::number(item->ItemNumber) + u'|' + QString::number(item->Expanded()) +
                     u'|' + QString::number(item->ImageIndex) + u'|' +
                     QString::number(item->SelectedIndex) + u'|' +
                     QString::fromLatin1(item->LabelBytes.toHex()) + u'|' + item->Label;
    });
    return items;
}

// Chunks of the bytes, separated by 0xFF, each an item: its first byte chooses how far
// up from the last item its parent lies and its flags, the rest is its label's code
// units (odd chunks) or its label bytes (even ones).
TRecoveryRecord RecordOf(const uint8_t* data, size_t size) {
    TRecoveryRecord record;
    record.EditFile = QString(reinterpret_cast<const QChar*>(data),
                              static_cast<qsizetype>(std::min<size_t>(size, 16) / 2));
    record.Modified = size % 2;
    std::vector<TOutlineItem*> path;
    int number = 0;
    for (size_t start = 0; start < size;) {
        const uint8_t* end =
            static_cast<const uint8_t*>(std::memchr(data + start, 0xFF, size - start));
        const size_t stop = end ? static_cast<size_t>(end - data) : size;
        const uint8_t head = data[start];
        const QByteArray rest(reinterpret_cast<const char*>(data + start + 1),
                              static_cast<qsizetype>(stop - start - (stop > start ? 1 : 0)));
        const size_t up = std::min<size_t>(head % 4, path.size());
        path.resize(path.size() - up);
        TOutlineItem* parent = path.empty() ? record.Outline.Root() : path.back();
        TOutlineItem* item =
            record.Outline.Insert(parent, parent->ChildCount(), QString(), number * 7 - 3);
        if (number % 2)
            item->Label =
                QString(reinterpret_cast<const QChar*>(rest.constData()), rest.size() / 2);
        else
            item->LabelBytes = rest;
        record.Outline.SetExpanded(item, head & 0x10);
        item->ImageIndex = head >> 5;
        item->SelectedIndex = -number;
        path.push_back(item);
        ++number;
        start = stop + 1;
    }
    record.CurrentItemIndex = static_cast<int>(size % (record.Outline.Count() + 2)) - 1;
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    try {
        const TRecoveryRecord read = TRecoveryRecord::Parse(bytes);
        FUZZ_CHECK(Items(TRecoveryRecord::Parse(read.Serialize()).Outline) == Items(read.Outline));
    } catch (const AppError&) {
    }

    const TRecoveryRecord record = RecordOf(data, size);
    const QByteArray written = record.Serialize();
    const TRecoveryRecord read = TRecoveryRecord::Parse(written);
    FUZZ_CHECK(read.EditFile == record.EditFile && read.Modified == record.Modified &&
               read.CurrentItemIndex == record.CurrentItemIndex);
    FUZZ_CHECK(Items(read.Outline) == Items(record.Outline));
    const qsizetype cut =
        size ? static_cast<qsizetype>(data[0]) % written.size() : written.size() - 1;
    try {
        TRecoveryRecord::Parse(written.first(cut));
        FUZZ_CHECK(false);
    } catch (const AppError&) {
    }
    return 0;
}
