#include "ui/TOutlineSearchRunner.h"

void TOutlineSearchRunner::Start(TOutlineSearch::TSnapshot snapshot, const QString& what,
                                 TSearchOptions options) {
    work_.Start<TOutlineSearch::TResult>(
        [snapshot = std::move(snapshot), matcher = TTextMatcher(what, options)](
            const std::atomic<bool>& cancel) -> std::optional<TOutlineSearch::TResult> {
            TOutlineSearch::TResult result = TOutlineSearch::Run(snapshot, matcher, cancel);
            if (result.cancelled) return std::nullopt;
            return result;
        },
        [this](const TOutlineSearch::TResult& result) {
            if (Finished) Finished(result);
        });
}
