#pragma once

// What every importer's fuzz target checks: AppError is the only exception, and a list
// that is accepted is well-formed. Formats that we also write read back what they wrote.
#include <optional>

#include "FuzzSupport.h"
#include "document/TDocumentReader.h"
#include "interchange/TExport.h"
#include "interchange/TOutlineEntry.h"
#include "interchange/TOutlineEntryList.h"
#include "platform/AppError.h"

inline void CheckWellFormed(const TOutlineEntries& entries) {
    FUZZ_CHECK(!entries.isEmpty());
    int previous = 0;
    for (const TOutlineEntry& entry : entries) {
        FUZZ_CHECK(entry.level >= 1 && entry.level <= previous + 1);
        FUZZ_CHECK(entry.level <= TDocumentReader::kMaxDepth);
        previous = entry.level;
    }
}

template <typename Read>
std::optional<TOutlineEntries> ImportChecked(Read read, const QByteArray& bytes) {
    try {
        TOutlineEntries entries = read(bytes);
        CheckWellFormed(entries);
        return entries;
    } catch (const AppError&) {
        return std::nullopt;
    }
}

// An importer's entries for the store read, once the store has their texts, as the
// entries it gives with every text decoded.
inline void CheckSameForStore(const std::optional<TOutlineEntries>& entries,
                              const std::optional<TOutlineEntries>& forStore) {
    FUZZ_CHECK(forStore.has_value() == entries.has_value());
    if (!entries) return;
    for (const TOutlineEntry& entry : *forStore)
        FUZZ_CHECK(!entry.fileText || entry.text.isEmpty());
    FUZZ_CHECK(TOutlineEntryList::WithTextsDecoded(*forStore) == *entries);
}

// What the writer makes of entries reads back as the same entries, unless the writer
// reported a loss.
template <typename Read>
void CheckReadsBack(Read read, const TOutlineEntries& entries, const TExport& written) {
    if (!written.Complete()) return;
    FUZZ_CHECK(read(written.bytes) == entries);
}
