#include "ui/TOutlineSearch.h"

#include <unordered_map>

#include "document/TItemTextStore.h"
#include "document/TOutline.h"
#include "platform/AppError.h"

namespace {

const QString kPathSeparator = QStringLiteral(" › ");
const QString kEllipsis = QStringLiteral("…");

QString TextOf(const TOutlineSearch::TItem& item, const TItemTextStore& store) {
    if (item.textGiven) return item.text;
    try {
        return store.Load(item.itemNumber);
    } catch (const AppError&) {
        return {};  // an unreadable file holds nothing to find
    }
}

}  // namespace

TOutlineSearch::TSnapshot TOutlineSearch::Snapshot(const TOutline& outline, const QString& dataDir,
                                                   const TOutlineItem* editorItem,
                                                   const QString& editorText) {
    TSnapshot snapshot;
    snapshot.dataDir = dataDir;
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

TOutlineSearch::TResult TOutlineSearch::Run(const TSnapshot& snapshot, const TTextMatcher& matcher,
                                            const std::atomic<bool>& cancel) {
    TResult result;
    if (matcher.IsEmpty()) return result;
    const TItemTextStore store(snapshot.dataDir);
    for (int index = 0; index < static_cast<int>(snapshot.items.size()); ++index) {
        if (cancel.load(std::memory_order_relaxed)) {
            result.cancelled = true;
            return result;
        }
        const TItem& item = snapshot.items[index];
        const QString text = TextOf(item, store);
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
    return result;
}

QString TOutlineSearch::LineAround(QStringView text, TTextSelection match, qsizetype* markStart) {
    qsizetype begin = text.lastIndexOf(u'\n', std::max<qsizetype>(match.start - 1, 0)) + 1;
    if (match.start == 0) begin = 0;
    qsizetype end = text.indexOf(u'\n', match.start);
    if (end < 0) end = text.size();
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
