#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <functional>

// How an export is made as it is written: the entries' texts made ready run by run, and
// the bytes handed on piece by piece, so that reading the texts, making the file and the
// disk's writing go on at the same time. Empty members: the entries have their texts,
// and the export's bytes are its result.
struct TExportStream {
    // Called on the thread that makes the run of entries [begin, end), before it makes
    // them: gives those entries their texts.
    std::function<void(qsizetype begin, qsizetype end)> prepare;
    // Takes the file's bytes in order. The export's own bytes then stay empty.
    std::function<void(QByteArrayView piece)> write;
};
