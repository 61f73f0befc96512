#pragma once

#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// Work over the whole outline on a thread of its own, so that the user never waits for
// it. New work cancels the work still running, whose result never arrives: only the
// newest work reports.
class TLatestWork : public QObject {
  public:
    explicit TLatestWork(QObject* parent = nullptr);
    // Cancels the work still running and waits for its thread.
    ~TLatestWork() override;

    // Runs work on the thread; it gives its result, or nothing when it saw cancel turn
    // true. The result reaches report on this object's thread.
    template <class Result>
    void Start(std::function<std::optional<Result>(const std::atomic<bool>& cancel)> work,
               std::function<void(const Result&)> report) {
        const unsigned generation = Begin();
        pool_.start([this, generation, cancel = cancel_, work = std::move(work),
                     report = std::move(report)] {
            std::optional<Result> result = work(*cancel);
            if (!result) return;
            // The destructor waits for this thread, so this object is still there.
            QMetaObject::invokeMethod(
                this,
                [this, generation, report, result = std::move(*result)] {
                    if (Current(generation)) report(result);
                },
                Qt::QueuedConnection);
        });
    }
    void Cancel();
    // Whether work was started and has not reported yet.
    bool Busy() const { return busy_; }

  private:
    // A new generation of work, the one before cancelled.
    unsigned Begin();
    // Whether the report of that generation is the newest (it is done then).
    bool Current(unsigned generation);

    QThreadPool pool_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    unsigned generation_ = 0;
    bool busy_ = false;
};
