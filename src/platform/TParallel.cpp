#include "platform/TParallel.h"

#include <QThread>
#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Several runs a thread, so that a thread that drew short runs takes more of them.
constexpr qsizetype kRunsPerThread = 4;

qsizetype Processors() { return std::max(1, QThread::idealThreadCount()); }

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
