#include "ui/TOutlineSearch.h"

#include <algorithm>
#include <unordered_map>

#include "document/TItemTextStore.h"
#include "document/TOutline.h"
#include "platform/AppError.h"
#include "platform/TParallel.h"

namespace {

const QString kPathSeparator = QStringLiteral(" › ");
const QString kEllipsis = QStringLiteral("…");

// The item's characters. Its lines may end with CR LF or CR where they come from its file,
// unless the search text holds a line break itself (as the editor's text, "\n").
QString TextOf(const TOutlineSearch::TItem& item, const TItemTextStore& store, bool editorLines) {
    if (item.textGiven) return item.text;
    try {
        return editorLines ? store.Load(item.itemNumber) : store.LoadCharacters(item.itemNumber);
    } catch (const AppError&) {
        return {};  // an unreadable file holds nothing to find
    }
}

}  // namespace

TOutlineSearch::TSnapshot TOutlineSearch::Snapshot(const TOutline& outline,
                                                   const TItemTextStore& store,
                                                   const TOutlineItem* editorItem,
                                                   const QString& editorText) {
    TSnapshot snapshot{store, {}};
    snapshot.items.reserve(outline.Count());
    std::unordered_map<const TOutlineItem*, int> indexOf;
    indexOf.reserve(outline.Count());
    outline.ForEach([&](TOutlineItem* item) {
        TItem copy;
        copy.itemNumber = item->ItemNumber;
        const auto parent = indexOf.find(item->Parent());
        copy.parent = parent == indexOf.end() ? -1 : parent->second;
        copy.label = item->Label;
        if (item == editorItem) {
            copy.textGiven = true;
            copy.text = editorText;
        }
        indexOf.emplace(item, static_cast<int>(snapshot.items.size()));
        snapshot.items.push_back(std::move(copy));
    });
    return snapshot;
}

void TOutlineSearch::RunRange(const TSnapshot& snapshot, const TTextMatcher& matcher,
                              const std::atomic<bool>& cancel, int begin, int end,
                              TResult& result) {
    const TItemTextStore& store = snapshot.store;
    const bool editorLines = matcher.HoldsLineBreak();
    for (int index = begin; index < end; ++index) {
        if (cancel.load(std::memory_order_relaxed)) {
            result.cancelled = true;
            return;
        }
        const TItem& item = snapshot.items[index];
        const QString text = TextOf(item, store, editorLines);
        const TTextMatcher::TMatches inText = matcher.Scan(text);
        const TTextMatcher::TMatches inLabel = matcher.Scan(item.label);
        if (inText.count + inLabel.count == 0) continue;

        THit hit;
        hit.itemNumber = item.itemNumber;
        hit.path = PathOf(snapshot, index);
        hit.count = inText.count + inLabel.count;
        hit.inText = inText.count > 0;
        const TTextSelection first = hit.inText ? *inText.first : *inLabel.first;
        hit.line = LineAround(hit.inText ? QStringView(text) : QStringView(item.label), first,
                              &hit.markStart);
        hit.markLength = std::min(first.length, hit.line.size() - hit.markStart);
        result.matchCount += hit.count;
        result.hits.push_back(std::move(hit));
    }
}

TOutlineSearch::TResult TOutlineSearch::Run(const TSnapshot& snapshot, const TTextMatcher& matcher,
                                            const std::atomic<bool>& cancel) {
    if (matcher.IsEmpty()) return {};
    // Reading and decoding the item files is most of the work: the processors take runs
    // of items, and the runs are joined in outline order.
    const qsizetype count = static_cast<qsizetype>(snapshot.items.size());
    std::vector<TResult> parts(TParallel::RunCount(count, kItemsPerRun));
    TParallel::ForRuns(count, kItemsPerRun, [&](qsizetype run, qsizetype begin, qsizetype end) {
        RunRange(snapshot, matcher, cancel, static_cast<int>(begin), static_cast<int>(end),
                 parts[run]);
    });

    TResult result = std::move(parts[0]);
    for (std::size_t run = 1; run < parts.size(); ++run) {
        TResult& part = parts[run];
        result.cancelled = result.cancelled || part.cancelled;
        result.matchCount += part.matchCount;
        std::move(part.hits.begin(), part.hits.end(), std::back_inserter(result.hits));
    }
    return result;
}

QString TOutlineSearch::LineAround(QStringView text, TTextSelection match, qsizetype* markStart) {
    const auto isBreak = [](QChar c) { return c == u'\n' || c == u'\r'; };
    qsizetype begin = match.start;
    while (begin > 0 && !isBreak(text[begin - 1])) --begin;
    qsizetype end = match.start;
    while (end < text.size() && !isBreak(text[end])) ++end;
    QString line;
    if (match.start - begin > kContextBefore) {
        begin = match.start - kContextBefore;
        if (text[begin].isLowSurrogate()) --begin;  // never half a character
        line = kEllipsis;
    }
    const bool cut = end - begin > kLineLength;
    if (cut) {
        end = std::max(begin + kLineLength, match.start + 1);
        if (end < text.size() && text[end].isLowSurrogate()) ++end;
    }
    *markStart = line.size() + (match.start - begin);
    line += text.sliced(begin, end - begin);
    if (cut) line += kEllipsis;
    line.replace(u'\t', u' ');
    return line;
}

QString TOutlineSearch::PathOf(const TSnapshot& snapshot, int index) {
    QStringList labels;
    for (int at = index; at >= 0; at = snapshot.items[at].parent) {
        if (labels.size() == kPathLevels) {
            labels.prepend(kEllipsis);
            break;
        }
        labels.prepend(snapshot.items[at].label);
    }
    return labels.join(kPathSeparator);
}
