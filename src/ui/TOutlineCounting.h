#pragma once

#include <QHash>
#include <QString>
#include <atomic>
#include <optional>
#include <vector>

#include "layout/TLayoutOptions.h"
#include "layout/TTextCounts.h"
#include "ui/TOutlineSearch.h"

// Counting the text of every item of an outline copied as a search copies it (see
// TOutlineSearch::Snapshot), so that it can run on another thread while the user goes on
// working. Item texts are read from their files unless the copy holds them.
class TOutlineCounting {
  public:
    // The counts of items by number, known from an earlier count.
    using TKnown = QHash<int, TTextCounts>;

    // The counts of every item of the snapshot, in its order, those in known taken from
    // it; nothing when cancel turned true before the end. An item text file that cannot be
    // read counts as empty.
    static std::optional<std::vector<TTextCounts>> Run(const TOutlineSearch::TSnapshot& snapshot,
                                                       const TLayoutOptions& options,
                                                       const std::atomic<bool>& cancel,
                                                       const TKnown& known = {});

    // The level of every item of the snapshot (1 for the top level), in its order.
    static std::vector<int> Levels(const TOutlineSearch::TSnapshot& snapshot);

    // Items one thread counts before it asks for more.
    static constexpr qsizetype kItemsPerRun = 100;

  private:
    static QString TextOf(const TOutlineSearch::TItem& item, const TItemTextStore& store);
};
