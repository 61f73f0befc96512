#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "interchange/TOutlineEntry.h"
#include "support/Printers.h"

inline void PrintTo(const TOutlineEntry& entry, std::ostream* out) {
    *out << '{' << entry.level << ", ";
    PrintTo(entry.label, out);
    *out << ", ";
    PrintTo(entry.text, out);
    *out << '}';
}

// Names the first entry that differs rather than printing two whole outlines.
inline testing::AssertionResult SameEntries(const TOutlineEntries& actual,
                                            const TOutlineEntries& expected) {
    for (qsizetype i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual[i] == expected[i]) continue;
        return testing::AssertionFailure()
               << "entry " << i << " is " << testing::PrintToString(actual[i]) << ", expected "
               << testing::PrintToString(expected[i]);
    }
    if (actual.size() != expected.size())
        return testing::AssertionFailure()
               << actual.size() << " entries, expected " << expected.size();
    return testing::AssertionSuccess();
}
