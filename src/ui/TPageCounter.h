#pragma once

#include <QMutex>
#include <atomic>
#include <memory>
#include <vector>

#include "ui/TOutlinePages.h"

class QThread;

// Lays out the rest of an outline's pages in a thread of its own, so that their count
// becomes known without holding up the window; the pages found so far can be taken over
// at any time.
class TPageCounter {
  public:
    // Starts after the pages already known.
    explicit TPageCounter(const TOutlinePages& pages);
    // Stops the counting within a page and waits for its thread.
    ~TPageCounter();
    TPageCounter(const TPageCounter&) = delete;
    TPageCounter& operator=(const TPageCounter&) = delete;

    // Gives pages (the same outline on the same pages) the pages found so far.
    void HandOver(TOutlinePages& pages) const;

  private:
    void Count(TOutlinePages pages);

    mutable QMutex mutex_;
    std::vector<TOutlinePages::Start> starts_;  // guarded by mutex_
    bool complete_ = false;                     // guarded by mutex_
    std::atomic<bool> stop_{false};
    std::unique_ptr<QThread> thread_;
};
