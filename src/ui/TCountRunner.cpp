#include "ui/TCountRunner.h"

void TCountRunner::Start(TOutlineSearch::TSnapshot snapshot, const TLayoutOptions& options,
                         TOutlineCounting::TKnown known) {
    work_.Start<TCounted>(
        [snapshot = std::move(snapshot), options,
         known = std::move(known)](const std::atomic<bool>& cancel) -> std::optional<TCounted> {
            std::optional<std::vector<TTextCounts>> counts =
                TOutlineCounting::Run(snapshot, options, cancel, known);
            if (!counts) return std::nullopt;
            return TCounted{snapshot, std::move(*counts)};
        },
        [this](const TCounted& counted) {
            if (Finished) Finished(counted.snapshot, counted.counts);
        });
}
