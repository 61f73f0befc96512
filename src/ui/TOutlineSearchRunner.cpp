#include "ui/TOutlineSearchRunner.h"

TOutlineSearchRunner::TOutlineSearchRunner(QObject* parent)
    : QObject(parent), cancel_(std::make_shared<std::atomic<bool>>(false)) {
    pool_.setMaxThreadCount(1);
}

TOutlineSearchRunner::~TOutlineSearchRunner() {
    Cancel();
    pool_.waitForDone();
}

void TOutlineSearchRunner::Start(TOutlineSearch::TSnapshot snapshot, const QString& what,
                                 TSearchOptions options) {
    Cancel();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    const unsigned generation = ++generation_;
    busy_ = true;
    pool_.start([this, generation, cancel = cancel_, snapshot = std::move(snapshot),
                 matcher = TTextMatcher(what, options)] {
        TOutlineSearch::TResult result = TOutlineSearch::Run(snapshot, matcher, *cancel);
        if (result.cancelled) return;
        // The destructor waits for this thread, so this object is still there; the
        // report is dropped should the object go before the event loop delivers it.
        QMetaObject::invokeMethod(
            this, [this, generation, result = std::move(result)] { Report(generation, result); },
            Qt::QueuedConnection);
    });
}

void TOutlineSearchRunner::Cancel() {
    cancel_->store(true);
    pool_.clear();  // searches not yet begun never begin
    ++generation_;
    busy_ = false;
}

void TOutlineSearchRunner::Report(unsigned generation, const TOutlineSearch::TResult& result) {
    if (generation != generation_) return;  // a newer search is on its way
    busy_ = false;
    if (Finished) Finished(result);
}
