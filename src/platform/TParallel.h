#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <functional>

// Work over many small independent pieces, spread over the machine's processors.
class TParallel {
  public:
    using Work = std::function<void(qsizetype run, qsizetype begin, qsizetype end)>;

    // The number of runs ForRuns cuts count pieces into: a few for every processor, each
    // at least minimumRun long.
    static qsizetype RunCount(qsizetype count, qsizetype minimumRun);

    // Calls work(run, begin, end) for the consecutive runs of [0, count), numbered 0 to
    // RunCount() - 1 in order, on up to one thread a processor (the calling thread among
    // them); returns when every run is done. Runs are handed out as threads come free, so
    // one slow run does not hold the others up. The first exception thrown by work is
    // rethrown here, after every thread has stopped; runs not yet started are skipped.
    static void ForRuns(qsizetype count, qsizetype minimumRun, const Work& work);

    using LineWork = std::function<void(qsizetype run, QByteArrayView lines)>;
    // ForRuns over bytes, each run of whole lines: cut after a line feed, a byte that in
    // UTF-8 and Shift-JIS is never part of another character. A run may be empty.
    static void ForLineRuns(QByteArrayView bytes, qsizetype minimumRun, const LineWork& work);
};
