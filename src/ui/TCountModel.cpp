#include "ui/TCountModel.h"

TCountModel::TCountModel(int rows) : rows_(rows), before_(rows), descendants_(rows), after_(rows) {}

void TCountModel::SetOutline(std::vector<int> itemNumbers, std::vector<int> levels,
                             std::vector<TTextCounts> counts) {
    itemNumbers_ = std::move(itemNumbers);
    levels_ = std::move(levels);
    counts_ = std::move(counts);
    indexOf_.clear();
    indexOf_.reserve(static_cast<qsizetype>(itemNumbers_.size()));
    for (std::size_t index = 0; index < itemNumbers_.size(); ++index)
        indexOf_.insert(itemNumbers_[index], static_cast<int>(index));
    pending_ = false;
    SetCurrentItem(currentNumber_);
}

void TCountModel::SetRows(int rows) {
    rows_ = rows;
    SplitAtCurrent();
}

void TCountModel::SetCurrentItem(int itemNumber) {
    currentNumber_ = itemNumber;
    current_ = indexOf_.value(itemNumber, -1);
    SplitAtCurrent();
}

TCountSum TCountModel::SumOf(std::size_t begin, std::size_t end) const {
    TCountSum sum(rows_);
    for (std::size_t index = begin; index < end; ++index) sum.Add(counts_[index]);
    return sum;
}

void TCountModel::SplitAtCurrent() {
    const std::size_t count = counts_.size();
    if (current_ < 0) {
        before_ = SumOf(0, count);
        descendants_ = after_ = TCountSum(rows_);
        return;
    }
    const auto current = static_cast<std::size_t>(current_);
    std::size_t end = current + 1;
    while (end < count && levels_[end] > levels_[current]) ++end;
    before_ = SumOf(0, current);
    descendants_ = SumOf(current + 1, end);
    after_ = SumOf(end, count);
}

std::optional<TTextCounts> TCountModel::CurrentCounts() const {
    if (editor_) return editor_;
    if (current_ >= 0) return counts_[current_];
    return std::nullopt;
}

std::optional<TCountSum> TCountModel::Sum(TScope scope) const {
    const auto sumOf = [this](const TTextCounts& counts) {
        TCountSum sum(rows_);
        sum.Add(counts);
        return sum;
    };
    if (scope == TScope::Selection) {
        if (!selection_) return std::nullopt;
        return sumOf(*selection_);
    }
    const std::optional<TTextCounts> current = CurrentCounts();
    if (scope == TScope::Item) {
        if (!current) return std::nullopt;
        return sumOf(*current);
    }
    if (pending_) return std::nullopt;
    if (current_ < 0 && scope == TScope::Document) return before_;  // no item is current
    if (!current || current_ < 0) return std::nullopt;
    TCountSum sum = sumOf(*current);
    sum += descendants_;
    if (scope == TScope::Subtree) return sum;
    TCountSum document = before_;
    document += sum;
    document += after_;
    return document;
}
