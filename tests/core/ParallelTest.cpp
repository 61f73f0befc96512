#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "platform/TParallel.h"

namespace {

TEST(Parallel, CoversEveryPieceOnceInNumberedRunsAndPassesOnAFailure) {
    const qsizetype count = 1001;
    std::vector<std::atomic<int>> seen(count);
    std::vector<std::atomic<qsizetype>> runBegins(TParallel::RunCount(count, 10));
    TParallel::ForRuns(count, 10, [&](qsizetype run, qsizetype begin, qsizetype end) {
        runBegins[run] = begin;
        for (qsizetype i = begin; i < end; ++i) ++seen[i];
    });
    for (qsizetype i = 0; i < count; ++i) ASSERT_EQ(seen[i], 1) << i;
    for (std::size_t run = 1; run < runBegins.size(); ++run)
        EXPECT_LT(runBegins[run - 1], runBegins[run]);

    EXPECT_THROW(TParallel::ForRuns(count, 10,
                                    [](qsizetype run, qsizetype, qsizetype) {
                                        if (run == 2) throw std::runtime_error("disk full");
                                    }),
                 std::runtime_error);
}

}  // namespace
