#pragma once

#include <functional>

#include "ui/TLatestWork.h"
#include "ui/TOutlineSearch.h"

// Runs whole-outline searches on a thread of their own, so that typing in the search
// field never waits for one (see TLatestWork): only the newest search reports.
class TOutlineSearchRunner {
  public:
    // Called on the user-interface thread with the result of the newest search.
    std::function<void(const TOutlineSearch::TResult&)> Finished;

    void Start(TOutlineSearch::TSnapshot snapshot, const QString& what, TSearchOptions options);
    void Cancel() { work_.Cancel(); }
    // Whether a search was started and has not reported yet.
    bool Busy() const { return work_.Busy(); }

  private:
    TLatestWork work_;
};
