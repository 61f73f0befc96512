#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

// A text as Shift-JIS lines: a part of the bytes an importer read, which the store takes as
// they stand when each line ends in CR LF (the form of its item files), and decodes else.
struct TItemFileBytes {
    QByteArray file;
    qsizetype offset = 0;
    qsizetype length = 0;

    QByteArrayView Bytes() const { return QByteArrayView(file).sliced(offset, length); }
    bool operator==(const TItemFileBytes&) const = default;
};

// One item of an outline in interchange: its level (1 = top), label and text (lines separated by
// "\n").
struct TOutlineEntry {
    TOutlineEntry() = default;
    TOutlineEntry(int level, QString label, QString text = {})
        : level(level), label(std::move(label)), text(std::move(text)) {}

    int level = 1;
    QString label;
    QString text;
    // Only from an importer asked for texts in this form, and then text is empty.
    std::optional<TItemFileBytes> fileText;

    bool operator==(const TOutlineEntry&) const = default;
};
// Well-formed when it starts at level 1 and no entry is more than one level deeper than
// the one before; every importer returns such a list.
using TOutlineEntries = QList<TOutlineEntry>;

// How an importer hands over the texts: all decoded, or, where the file holds a text just
// as the text's item file would, as those bytes (TOutlineEntry::fileText).
enum class TEntryTexts { Decoded, AsFileBytes };
