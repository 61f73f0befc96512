#pragma once

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>

#include "ui/TOutlineSearch.h"

// Runs whole-outline searches on a thread of its own, so that typing in the search
// field never waits for one. A new search cancels the one still running, whose result
// never arrives; only the newest search reports.
class TOutlineSearchRunner : public QObject {
    Q_OBJECT

  public:
    explicit TOutlineSearchRunner(QObject* parent = nullptr);
    // Cancels the search still running and waits for its thread.
    ~TOutlineSearchRunner() override;

    // Called on this object's thread with the result of the newest search.
    std::function<void(const TOutlineSearch::TResult&)> Finished;

    void Start(TOutlineSearch::TSnapshot snapshot, const QString& what, TSearchOptions options);
    void Cancel();
    // Whether a search was started and has not reported yet.
    bool Busy() const { return busy_; }

  private:
    void Report(unsigned generation, const TOutlineSearch::TResult& result);

    QThreadPool pool_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    unsigned generation_ = 0;
    bool busy_ = false;
};
