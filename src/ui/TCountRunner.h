#pragma once

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>

#include "ui/TOutlineCounting.h"

// Counts the whole outline on a thread of its own, so that the user never waits for it.
// A new count cancels the one still running, whose result never arrives; only the newest
// count reports.
class TCountRunner : public QObject {
    Q_OBJECT

  public:
    explicit TCountRunner(QObject* parent = nullptr);
    // Cancels the count still running and waits for its thread.
    ~TCountRunner() override;

    // Called on this object's thread with the snapshot counted and its items' counts.
    std::function<void(const TOutlineSearch::TSnapshot&, const std::vector<TTextCounts>&)> Finished;

    void Start(TOutlineSearch::TSnapshot snapshot, const TLayoutOptions& options,
               TOutlineCounting::TKnown known);
    void Cancel();
    bool Busy() const { return busy_; }
    // Waits for the count running (tests and benchmarks); its report still comes through
    // the event loop.
    void Wait() { pool_.waitForDone(); }

  private:
    QThreadPool pool_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    unsigned generation_ = 0;
    bool busy_ = false;
};
