#include "document/TOutline.h"

#include <cassert>

namespace {

void Visit(const TOutlineItem* parent, const std::function<void(TOutlineItem*)>& visit) {
    for (int row = 0; row < parent->ChildCount(); ++row) {
        visit(parent->Child(row));
        Visit(parent->Child(row), visit);
    }
}

}  // namespace

TOutline::TOutline() : root_(std::make_unique<TOutlineItem>(QString(), -1)) {}

TOutlineItem* TOutline::ItemAt(int absoluteIndex) const {
    if (absoluteIndex < 0 || absoluteIndex >= count_) return nullptr;
    // Walk down, skipping whole subtrees that lie before the index.
    const TOutlineItem* parent = root_.get();
    int offset = absoluteIndex;  // counted from parent's first child
    for (;;) {
        TOutlineItem* child = ChildHolding(parent, offset);
        if (offset == 0) return child;
        --offset;
        parent = child;
    }
}

TOutlineItem* TOutline::ChildHolding(const TOutlineItem* parent, int& offset) {
    const auto& children = parent->children_;
    const int below = parent->subtreeSize_ - 1;
    if (offset < below / 2) {
        for (const auto& child : children) {
            if (offset < child->subtreeSize_) return child.get();
            offset -= child->subtreeSize_;
        }
    }
    // In the second half: count back from the end of the parent's subtree.
    int end = below;
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        end -= (*it)->subtreeSize_;
        if (offset >= end) {
            offset -= end;
            return it->get();
        }
    }
    return nullptr;  // not reached for an offset within the parent's subtree
}

int TOutline::SiblingsBefore(const TOutlineItem* item) {
    const TOutlineItem* parent = item->parent_;
    const int row = item->row_;
    int size = 0;
    if (row <= parent->ChildCount() / 2) {
        for (int i = 0; i < row; ++i) size += parent->children_[i]->subtreeSize_;
        return size;
    }
    for (int i = row; i < parent->ChildCount(); ++i) size += parent->children_[i]->subtreeSize_;
    return parent->subtreeSize_ - 1 - size;
}

int TOutline::AbsoluteIndexOf(const TOutlineItem* item) const {
    if (!item || item == root_.get()) return -1;
    int index = 0;
    for (const TOutlineItem* node = item; node->Parent(); node = node->Parent()) {
        index += SiblingsBefore(node);
        if (node->Parent() != root_.get()) index += 1;  // the parent itself comes first
    }
    return index;
}

TOutlineItem* TOutline::Insert(TOutlineItem* parent, int row, const QString& label,
                               int itemNumber) {
    assert(parent && row >= 0 && row <= parent->ChildCount());
    auto item = std::make_unique<TOutlineItem>(label, itemNumber);
    TOutlineItem* inserted = item.get();
    Attach(std::move(item), parent, row);
    ++count_;
    expanded_.Insert(AbsoluteIndexOf(inserted), TBitList(1));
    return inserted;
}

void TOutline::Remove(TOutlineItem* item) {
    assert(item && item != root_.get());
    const int size = item->SubtreeSize();
    expanded_.Erase(AbsoluteIndexOf(item), size);
    count_ -= size;
    Detach(item);
}

void TOutline::Move(TOutlineItem* item, TOutlineItem* newParent, int row) {
    assert(item && newParent && !newParent->IsWithin(item));
    const int from = AbsoluteIndexOf(item);
    const TBitList flags = expanded_.Slice(from, item->SubtreeSize());
    expanded_.Erase(from, flags.Size());
    if (item->parent_ == newParent && item->row_ < row) --row;
    Attach(Detach(item), newParent, row);
    expanded_.Insert(AbsoluteIndexOf(item), flags);
}

void TOutline::Reorder(TOutlineItem* parent, const std::vector<TOutlineItem*>& order) {
    assert(static_cast<int>(order.size()) == parent->ChildCount());
    const int first = parent == root_.get() ? 0 : AbsoluteIndexOf(parent) + 1;
    std::vector<int> starts(order.size());
    for (int row = 0, start = first; row < parent->ChildCount(); ++row) {
        starts[row] = start;
        start += parent->children_[row]->subtreeSize_;
    }
    TBitList flags;
    std::vector<std::unique_ptr<TOutlineItem>> children(order.size());
    for (size_t row = 0; row < order.size(); ++row) {
        TOutlineItem* child = order[row];
        flags.Insert(flags.Size(), expanded_.Slice(starts[child->row_], child->subtreeSize_));
        children[row] = std::move(parent->children_[child->row_]);
    }
    parent->children_ = std::move(children);
    Renumber(parent, 0);
    expanded_.Erase(first, flags.Size());
    expanded_.Insert(first, flags);
}

void TOutline::Clear() {
    root_->children_.clear();
    root_->subtreeSize_ = 1;
    count_ = 0;
    expanded_ = TBitList();
}

void TOutline::SetExpanded(TOutlineItem* item, bool expanded) {
    if (item->expanded_ == expanded || item == root_.get()) return;
    item->expanded_ = expanded;
    expanded_.Set(AbsoluteIndexOf(item), expanded);
}

std::unique_ptr<TOutlineItem> TOutline::Detach(TOutlineItem* item) {
    TOutlineItem* parent = item->parent_;
    const int row = item->row_;
    std::unique_ptr<TOutlineItem> owned = std::move(parent->children_[row]);
    parent->children_.erase(parent->children_.begin() + row);
    Renumber(parent, row);
    GrowAncestors(parent, -owned->subtreeSize_);
    owned->parent_ = nullptr;
    return owned;
}

void TOutline::Attach(std::unique_ptr<TOutlineItem> item, TOutlineItem* parent, int row) {
    item->parent_ = parent;
    const int size = item->subtreeSize_;
    parent->children_.insert(parent->children_.begin() + row, std::move(item));
    Renumber(parent, row);
    GrowAncestors(parent, size);
}

void TOutline::Renumber(TOutlineItem* parent, int fromRow) {
    for (int row = fromRow; row < parent->ChildCount(); ++row) parent->children_[row]->row_ = row;
}

void TOutline::GrowAncestors(TOutlineItem* item, int delta) {
    for (; item; item = item->parent_) item->subtreeSize_ += delta;
}

void TOutline::ForEach(const std::function<void(TOutlineItem*)>& visit) const {
    Visit(root_.get(), visit);
}
