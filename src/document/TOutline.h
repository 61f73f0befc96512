#pragma once

#include <functional>
#include <vector>

#include "document/TBitList.h"
#include "document/TOutlineItem.h"

// The outline: a tree of items below an invisible root. Items are addressed by
// pointer or by absolute index, their 0-based position in depth-first order (a
// parent before its children), counting the items inside collapsed parents too.
class TOutline {
  public:
    TOutline();

    TOutlineItem* Root() const { return root_.get(); }
    int Count() const { return count_; }
    bool IsEmpty() const { return count_ == 0; }
    TOutlineItem* First() const { return root_->HasChildren() ? root_->Child(0) : nullptr; }

    // nullptr when index is out of range.
    TOutlineItem* ItemAt(int absoluteIndex) const;
    // -1 for nullptr or the root.
    int AbsoluteIndexOf(const TOutlineItem* item) const;

    // Inserts a new item as child `row` of parent (the root for top-level items).
    TOutlineItem* Insert(TOutlineItem* parent, int row, const QString& label, int itemNumber);
    // Removes the item with its whole subtree.
    void Remove(TOutlineItem* item);
    // Moves the item with its subtree to child `row` of newParent, where `row` counts
    // the children as they are before the move. newParent must not lie within item.
    void Move(TOutlineItem* item, TOutlineItem* newParent, int row);
    // Puts parent's children into the order given, each with its subtree and expanded
    // flags; order holds every child of parent once.
    void Reorder(TOutlineItem* parent, const std::vector<TOutlineItem*>& order);
    void Clear();

    void SetExpanded(TOutlineItem* item, bool expanded);
    // Every item's expanded flag, by absolute index. Kept in step with the items, so
    // that taking all of them walks no tree.
    const TBitList& ExpandedFlags() const { return expanded_; }

    // Visits every item in depth-first order.
    void ForEach(const std::function<void(TOutlineItem*)>& visit) const;

  private:
    // The child of parent whose subtree holds the item `offset` places after parent's
    // first child; offset becomes the place within that child's subtree.
    static TOutlineItem* ChildHolding(const TOutlineItem* parent, int& offset);
    // The number of items in the subtrees of the siblings before item.
    static int SiblingsBefore(const TOutlineItem* item);
    // Takes the item with its subtree out of the tree, and puts one in.
    static std::unique_ptr<TOutlineItem> Detach(TOutlineItem* item);
    static void Attach(std::unique_ptr<TOutlineItem> item, TOutlineItem* parent, int row);
    // Brings the rows of parent's children from fromRow on up to date.
    static void Renumber(TOutlineItem* parent, int fromRow);
    // Adds delta to the subtree sizes of item and its ancestors.
    static void GrowAncestors(TOutlineItem* item, int delta);

    std::unique_ptr<TOutlineItem> root_;
    int count_ = 0;
    TBitList expanded_;
};
