#pragma once

#include <functional>

#include "ui/TLatestWork.h"
#include "ui/TOutlineCounting.h"

// Counts the whole outline on a thread of its own (see TLatestWork).
class TCountRunner {
  public:
    // Called on the user-interface thread with the snapshot counted and its items' counts.
    std::function<void(const TOutlineSearch::TSnapshot&, const std::vector<TTextCounts>&)> Finished;

    void Start(TOutlineSearch::TSnapshot snapshot, const TLayoutOptions& options,
               TOutlineCounting::TKnown known);
    void Cancel() { work_.Cancel(); }
    bool Busy() const { return work_.Busy(); }

  private:
    struct TCounted {
        TOutlineSearch::TSnapshot snapshot;
        std::vector<TTextCounts> counts;
    };

    TLatestWork work_;
};
