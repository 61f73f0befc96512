#include "ui/TCountRunner.h"

TCountRunner::TCountRunner(QObject* parent)
    : QObject(parent), cancel_(std::make_shared<std::atomic<bool>>(false)) {
    pool_.setMaxThreadCount(1);
}

TCountRunner::~TCountRunner() {
    Cancel();
    pool_.waitForDone();
}

void TCountRunner::Start(TOutlineSearch::TSnapshot snapshot, const TLayoutOptions& options,
                         TOutlineCounting::TKnown known) {
    Cancel();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    const unsigned generation = ++generation_;
    busy_ = true;
    pool_.start([this, generation, options, cancel = cancel_, snapshot = std::move(snapshot),
                 known = std::move(known)]() mutable {
        std::optional<std::vector<TTextCounts>> counts =
            TOutlineCounting::Run(snapshot, options, *cancel, known);
        if (!counts) return;
        // The destructor waits for this thread, so this object is still there.
        QMetaObject::invokeMethod(
            this,
            [this, generation, snapshot = std::move(snapshot), counts = std::move(*counts)] {
                if (generation != generation_) return;  // a newer count is on its way
                busy_ = false;
                if (Finished) Finished(snapshot, counts);
            },
            Qt::QueuedConnection);
    });
}

void TCountRunner::Cancel() {
    cancel_->store(true);
    pool_.clear();
    ++generation_;
    busy_ = false;
}
