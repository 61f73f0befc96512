#pragma once

#include <QHash>
#include <optional>
#include <vector>

#include "layout/TCountSum.h"
#include "layout/TTextCounts.h"

// What the "文字数" window shows: the counts of the current item, of the current item
// with its descendants, of the editor's selection and of the whole document. The items'
// counts come from their files, counted on another thread after every change of the
// outline; the current item's come from the editor while it holds the whole text, so
// that a keystroke changes one item's counts and the sums follow without adding up the
// outline again.
class TCountModel {
  public:
    enum class TScope { Item, Subtree, Selection, Document };

    explicit TCountModel(int rows = 20);

    // The outline in outline order: each item's number, level (1 for the top level) and
    // the counts of its text file.
    void SetOutline(std::vector<int> itemNumbers, std::vector<int> levels,
                    std::vector<TTextCounts> counts);
    // The outline changed: the sums over items are unknown until SetOutline.
    void OutlineChanged() { pending_ = true; }
    bool Pending() const { return pending_; }
    // The grid lines of a page.
    void SetRows(int rows);
    int Rows() const { return rows_; }
    // The item whose text the editor holds; -1 for none.
    void SetCurrentItem(int itemNumber);
    // The counts of the editor's text; nothing while its file holds the text counted.
    void SetEditorCounts(const std::optional<TTextCounts>& counts) { editor_ = counts; }
    // The counts of the editor's selection; nothing without one.
    void SetSelectionCounts(const std::optional<TTextCounts>& counts) { selection_ = counts; }

    // The sum of a scope; nothing while it is unknown (or, for the selection, empty).
    std::optional<TCountSum> Sum(TScope scope) const;

  private:
    std::optional<TTextCounts> CurrentCounts() const;
    // Adds up the items before the current one, its descendants and the items after them.
    void SplitAtCurrent();
    TCountSum SumOf(std::size_t begin, std::size_t end) const;

    int rows_;
    std::vector<int> itemNumbers_;
    std::vector<int> levels_;
    std::vector<TTextCounts> counts_;
    QHash<int, int> indexOf_;  // item number to its index
    bool pending_ = true;
    int currentNumber_ = -1;
    int current_ = -1;  // index of the current item; -1 when it is not in the outline counted
    TCountSum before_, descendants_, after_;
    std::optional<TTextCounts> editor_;
    std::optional<TTextCounts> selection_;
};
