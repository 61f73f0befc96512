#include "ui/TTextSearch.h"

#include <vector>

QString TTextEdit::AppliedTo(QStringView oldText) const {
    QString result;
    result.reserve(oldText.size() - length + text.size());
    result.append(oldText.first(start));
    result.append(text);
    result.append(oldText.sliced(start + length));
    return result;
}

qsizetype TTextSearch::StartOf(TTextSelection selection) {
    return selection.length > 0 ? selection.End() : 0;
}

qsizetype TTextSearch::IndexOf(QStringView text, QStringView what, qsizetype from) {
    if (what.isEmpty() || from < 0 || from > text.size()) return -1;
    return text.indexOf(what, from, Qt::CaseSensitive);
}

bool TTextSearch::IsOccurrence(QStringView text, TTextSelection selection, QStringView what) {
    if (what.isEmpty() || selection.length != what.size()) return false;
    if (selection.start < 0 || selection.End() > text.size()) return false;
    return text.sliced(selection.start, selection.length) == what;
}

std::optional<TTextSelection> TTextSearch::FindNext(QStringView text, TTextSelection selection,
                                                    QStringView what) {
    const qsizetype found = IndexOf(text, what, StartOf(selection));
    if (found < 0) return std::nullopt;
    return TTextSelection{found, what.size()};
}

TTextSearch::TReplaceResult TTextSearch::Replace(QStringView text, TTextSelection selection,
                                                 QStringView what, QStringView with) {
    TReplaceResult result;
    if (IsOccurrence(text, selection, what)) {
        result.edit = TTextEdit{selection.start, selection.length, with.toString()};
        result.text = result.edit->AppliedTo(text);
        result.caret = selection.start + with.size();
        selection = TTextSelection{result.caret, 0};
    } else {
        result.text = text.toString();
    }
    result.found = FindNext(result.text, selection, what);
    return result;
}

TTextSearch::TReplaceAllResult TTextSearch::ReplaceAll(QStringView text, TTextSelection selection,
                                                       QStringView what, QStringView with) {
    TReplaceAllResult result;
    const qsizetype m = what.size();
    if (m == 0) return result;

    // The occurrence replaced first: the selected one, or else the next one behind the
    // selection. When there is neither, the selection stays what it is, no occurrence,
    // and nothing is replaced.
    const qsizetype first = IsOccurrence(text, selection, what)
                                ? selection.start
                                : IndexOf(text, what, StartOf(selection));
    if (first < 0) return result;

    // After each replacement the search starts again at the beginning but skips the
    // inserted text, so it finds the leftmost occurrence of the old text that does not
    // touch a replaced place: the occurrences left and right of the first one, taken
    // from left to right without overlapping. Collect them in text order.
    std::vector<qsizetype> positions;
    auto collect = [&](qsizetype from, qsizetype end) {
        for (qsizetype p = IndexOf(text, what, from); p >= 0 && p + m <= end;
             p = IndexOf(text, what, p + m))
            positions.push_back(p);
    };
    collect(0, first);
    const qsizetype firstRank =
        static_cast<qsizetype>(positions.size());  // of the first occurrence
    positions.push_back(first);
    collect(first + m, text.size());

    // The replacement made last: the rightmost one of the walk from the beginning, or
    // the first one when the walk found nothing else.
    const qsizetype count = static_cast<qsizetype>(positions.size());
    const qsizetype lastRank = (firstRank == count - 1 && count > 1) ? count - 2 : count - 1;

    const qsizetype begin = positions.front();
    const qsizetype end = positions.back() + m;
    QString changed;
    changed.reserve(end - begin + count * (with.size() - m));
    qsizetype copied = begin;
    for (qsizetype p : positions) {
        changed.append(text.sliced(copied, p - copied));
        changed.append(with);
        copied = p + m;
    }

    result.count = count;
    result.edit = TTextEdit{begin, end - begin, std::move(changed)};
    result.caret = positions[lastRank] + m + (lastRank + 1) * (with.size() - m);
    return result;
}
