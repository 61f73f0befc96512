#include "ui/TOutlineCounting.h"

#include "layout/TLineLayout.h"
#include "platform/AppError.h"
#include "platform/TParallel.h"

std::optional<std::vector<TTextCounts>> TOutlineCounting::Run(
    const TOutlineSearch::TSnapshot& snapshot, const TLayoutOptions& options,
    const std::atomic<bool>& cancel, const TKnown& known) {
    const auto count = static_cast<qsizetype>(snapshot.items.size());
    std::vector<TTextCounts> counts(snapshot.items.size());
    TParallel::ForRuns(count, kItemsPerRun, [&](qsizetype, qsizetype begin, qsizetype end) {
        TLineLayout layout(options);
        for (qsizetype index = begin; index < end; ++index) {
            if (cancel.load(std::memory_order_relaxed)) return;
            const TOutlineSearch::TItem& item = snapshot.items[index];
            const auto found = known.constFind(item.itemNumber);
            counts[index] =
                found != known.cend() ? *found : layout.Count(TextOf(item, snapshot.store));
        }
    });
    if (cancel.load()) return std::nullopt;
    return counts;
}

std::vector<int> TOutlineCounting::Levels(const TOutlineSearch::TSnapshot& snapshot) {
    std::vector<int> levels(snapshot.items.size());
    for (std::size_t index = 0; index < levels.size(); ++index) {
        const int parent = snapshot.items[index].parent;
        levels[index] = parent < 0 ? 1 : levels[parent] + 1;
    }
    return levels;
}

// The file's characters as the editor would hold them: the line break that ends the
// file's last line is none of the text's.
QString TOutlineCounting::TextOf(const TOutlineSearch::TItem& item, const TItemTextStore& store) {
    if (item.textGiven) return item.text;
    QString text;
    try {
        text = store.LoadCharacters(item.itemNumber);
    } catch (const AppError&) {
        return {};  // an unreadable file holds nothing to count
    }
    if (text.endsWith(QStringView(u"\r\n")))
        text.chop(2);
    else if (text.endsWith(u'\n') || text.endsWith(u'\r'))
        text.chop(1);
    return text;
}
