#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

// One item of the outline: a label, ordered children, an expanded state, its two
// image numbers and the ItemNumber that names its text file.
class TOutlineItem {
  public:
    TOutlineItem(QString label, int itemNumber) : Label(std::move(label)), ItemNumber(itemNumber) {}
    TOutlineItem(const TOutlineItem&) = delete;
    TOutlineItem& operator=(const TOutlineItem&) = delete;

    QString Label;
    // The label's bytes as a document held them, kept only where code page 932 would
    // write the label read from them in other bytes (it has two codes for some
    // characters): an unchanged label is saved as it was read.
    QByteArray LabelBytes;
    int ItemNumber;
    int ImageIndex = 0;     // shown while not selected
    int SelectedIndex = 1;  // shown while selected

    // Set through TOutline::SetExpanded, which keeps the outline's list of them.
    bool Expanded() const { return expanded_; }
    TOutlineItem* Parent() const { return parent_; }
    int ChildCount() const { return static_cast<int>(children_.size()); }
    TOutlineItem* Child(int row) const { return children_[row].get(); }
    bool HasChildren() const { return !children_.empty(); }

    // Position among its parent's children.
    int Row() const { return row_; }

    // Number of items in this item's subtree, the item itself included.
    int SubtreeSize() const { return subtreeSize_; }

    // Whether this item is `ancestor` or lies below it.
    bool IsWithin(const TOutlineItem* ancestor) const;

  private:
    friend class TOutline;

    TOutlineItem* parent_ = nullptr;
    std::vector<std::unique_ptr<TOutlineItem>> children_;
    // Kept up to date by TOutline on every change of the tree, so that neither needs
    // a walk: the outline's views ask for them all the time.
    int row_ = 0;
    int subtreeSize_ = 1;

    bool expanded_ = false;
};
