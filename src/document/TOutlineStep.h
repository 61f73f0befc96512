#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

#include "document/TBitList.h"
#include "document/TOutlineItemModel.h"

// One change of the outline's structure or of a label, kept so that it can be taken
// back and made again. Places are absolute indexes and rows, items are named by their
// ItemNumbers: no pointer outlives the change. A removed item keeps its number, and so
// its text file, so that putting it back brings its text back as well.
//
// Reverse() turns the outline back into the state on the other side of the change and
// the step into the change that leads back again: the same step undoes and redoes.
class TOutlineStep {
  public:
    // Where an item stands: its parent's absolute index (-1 for the root) and its row.
    struct Place {
        int parentIndex;
        int row;
    };
    using SetExpanded = std::function<void(TOutlineItem* item, bool expanded)>;

    // A new item has appeared: `selected` is the absolute index of the item selected
    // before it appeared (-1: none).
    static TOutlineStep Inserted(const TOutline& outline, const TOutlineItem* item, int selected,
                                 TBitList expandedBefore);
    // The item is about to go with its subtree; the item before it takes the selection.
    static TOutlineStep Removing(const TOutline& outline, const TOutlineItem* item,
                                 TBitList expandedBefore);
    // The item has just moved away from `from`, where it stood at absolute index `selected`.
    static TOutlineStep Moved(const TOutline& outline, const TOutlineItem* item, Place from,
                              int selected, TBitList expandedBefore);
    // The item's label has just changed from formerLabel.
    static TOutlineStep Relabelled(const TOutline& outline, const TOutlineItem* item,
                                   QString formerLabel);

    // parent's children have just been put into a new order: the child now at row r
    // stood at row formerRows[r]. The selection went from absolute index `selected` to
    // `selectedNow`.
    static TOutlineStep Reordered(const TOutline& outline, const TOutlineItem* parent,
                                  std::vector<int> formerRows, int selected, int selectedNow,
                                  TBitList expandedBefore);

    // The item's text has just moved into a new text file: its ItemNumber was
    // formerNumber, whose file keeps the text it had.
    static TOutlineStep Renumbered(const TOutline& outline, const TOutlineItem* item,
                                   int formerNumber);

    // Items have just been expanded or collapsed, and the selection has gone from
    // absolute index `selected` to `selectedNow`.
    static TOutlineStep Refolded(int selected, int selectedNow, TBitList expandedBefore);

    // Several changes made one after the other, taken back and made again as one. With
    // `select` (an absolute index) that item is selected afterwards either way; without,
    // the item the change reversed last names.
    static TOutlineStep Group(std::vector<TOutlineStep> steps, int select = -1);

    static Place PlaceOf(const TOutline& outline, const TOutlineItem* item);

    // Returns the absolute index of the item to select afterwards (-1: none).
    int Reverse(TOutlineItemModel& model, const SetExpanded& setExpanded);

  private:
    enum class Kind { Insert, Remove, Move, Reorder, Label, Number, Fold, Group };

    // An item of a removed subtree, in display order.
    struct Entry {
        QString label;
        QByteArray labelBytes;
        int itemNumber;
        int imageIndex;
        int selectedIndex;
        int depth;  // 0 for the subtree's top
    };

    TOutlineStep(Kind kind, Place place, int select, int keep);

    static std::vector<Entry> Collect(const TOutlineItem* top);
    void RemoveSubtree(TOutlineItemModel& model);
    void InsertSubtree(TOutlineItemModel& model);
    void MoveBack(TOutlineItemModel& model);
    void SwapLabel(TOutlineItemModel& model);
    void SwapNumber(TOutlineItemModel& model);
    void OrderBack(TOutlineItemModel& model);
    static void ApplyExpanded(const TOutline& outline, const TBitList& flags,
                              const SetExpanded& setExpanded);
    static TOutlineItem* ParentAt(const TOutline& outline, int parentIndex);

    Kind kind_;
    Place place_;                      // where the concerned item stands now
    Place other_;                      // moves: where it stands on the other side
    int select_;                       // the item selected on the other side
    int keep_;                         // the item selected now
    QString label_;                    // labels: the label on the other side
    int number_ = -1;                  // numbers: the ItemNumber on the other side
    std::vector<int> rows_;            // orders: the row on the other side of each child
    std::vector<Entry> subtree_;       // removals: the items to put back
    TBitList expanded_;                // the expanded flags on the other side
    std::vector<TOutlineStep> steps_;  // groups: the changes, in the order to reverse them
};
