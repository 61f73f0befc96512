#include "platform/TParallel.h"

#include <QThread>
#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Several runs a thread, so that a thread that drew short runs takes more of them.
constexpr qsizetype kRunsPerThread = 4;

qsizetype Processors() { return std::max(1, QThread::idealThreadCount()); }

// The start of the line that bytes[at] is in; the end of the bytes for at beyond them.
// Lines may be megabytes long: the C library's search goes back over many bytes at once.
qsizetype LineStart(QByteArrayView bytes, qsizetype at) {
    if (at <= 0 || at >= bytes.size()) return std::clamp<qsizetype>(at, 0, bytes.size());
    const void* feed = ::memrchr(bytes.data(), '\n', static_cast<size_t>(at));
    return feed ? static_cast<const char*>(feed) - bytes.data() + 1 : 0;
}

}  // namespace

qsizetype TParallel::RunCount(qsizetype count, qsizetype minimumRun) {
    const qsizetype most = std::max<qsizetype>(1, count / std::max<qsizetype>(1, minimumRun));
    return std::clamp<qsizetype>(Processors() * kRunsPerThread, 1, most);
}

void TParallel::ForRuns(qsizetype count, qsizetype minimumRun, const Work& work) {
    if (count <= 0) return;
    const qsizetype runs = RunCount(count, minimumRun);
    std::atomic<qsizetype> next{0};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto takeRuns = [&] {
        for (qsizetype run; (run = next++) < runs;) {
            try {
                work(run, count * run / runs, count * (run + 1) / runs);
            } catch (...) {
                const std::lock_guard lock(failureMutex);
                if (!failure) failure = std::current_exception();
                next = runs;  // no thread starts another run
            }
        }
    };
    std::vector<std::thread> threads;
    for (qsizetype i = 1; i < std::min(Processors(), runs); ++i) threads.emplace_back(takeRuns);
    takeRuns();
    for (std::thread& thread : threads) thread.join();
    if (failure) std::rethrow_exception(failure);
}

void TParallel::ForLineRuns(QByteArrayView bytes, qsizetype minimumRun, const LineWork& work) {
    ForRuns(bytes.size(), minimumRun, [&](qsizetype run, qsizetype begin, qsizetype end) {
        const qsizetype from = LineStart(bytes, begin);
        work(run, bytes.sliced(from, LineStart(bytes, end) - from));
    });
}
