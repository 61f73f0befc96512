#pragma once

#include <QList>
#include <QString>

// One item of an outline in interchange: its level (1 = top), label and text (lines separated by
// "\n").
struct TOutlineEntry {
    int level = 1;
    QString label;
    QString text;

    bool operator==(const TOutlineEntry&) const = default;
};
// Well-formed when it starts at level 1 and no entry is more than one level deeper than
// the one before; every importer returns such a list.
using TOutlineEntries = QList<TOutlineEntry>;
