#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "ui/TOutlineSearch.h"

// A large document made the same way every run (fixed seed): 10,000 items up to 6
// levels deep with Japanese labels, about 20 MB of code page 932 text in all. Most
// texts are a few kilobytes, a tenth are empty and four are 1 MB each.
struct GeneratedOutline {
    QByteArray document;    // the whole ".qlo" file
    QList<int> largeItems;  // absolute indexes of the items with 1 MB texts
    int itemCount = 0;
    qsizetype textBytes = 0;  // bytes of the text block
    int maxLevel = 0;
};

const GeneratedOutline& GenerateOutline();

// The generated document opened with its item text files in store, written out: the
// outline as a whole-outline search or count copies it.
TOutlineSearch::TSnapshot OpenGeneratedOutline(const TItemTextStore& store);

// Paragraphs of one to eight of sentences drawn the same way every run (fixed seed),
// `characters` long in all.
QString ProseOf(const QStringList& sentences, qsizetype characters);
