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
    int remaining = absoluteIndex;
    for (;;) {
        for (int row = 0; row < parent->ChildCount(); ++row) {
            TOutlineItem* child = parent->Child(row);
            if (remaining == 0) return child;
            const int size = child->SubtreeSize();
            if (remaining < size) {
                --remaining;
                parent = child;
                break;
            }
            remaining -= size;
        }
    }
}

int TOutline::AbsoluteIndexOf(const TOutlineItem* item) const {
    if (!item || item == root_.get()) return -1;
    int index = 0;
    for (const TOutlineItem* node = item; node->Parent(); node = node->Parent()) {
        const TOutlineItem* parent = node->Parent();
        const int row = node->Row();
        for (int i = 0; i < row; ++i) index += parent->Child(i)->SubtreeSize();
        if (parent != root_.get()) index += 1;  // the parent itself comes first
    }
    return index;
}

TOutlineItem* TOutline::Insert(TOutlineItem* parent, int row, const QString& label, int itemNumber) {
    assert(parent && row >= 0 && row <= parent->ChildCount());
    auto item = std::make_unique<TOutlineItem>(label, itemNumber);
    item->parent_ = parent;
    TOutlineItem* inserted = item.get();
    parent->children_.insert(parent->children_.begin() + row, std::move(item));
    ++count_;
    return inserted;
}

void TOutline::Remove(TOutlineItem* item) {
    assert(item && item != root_.get());
    count_ -= item->SubtreeSize();
    auto& siblings = item->parent_->children_;
    siblings.erase(siblings.begin() + item->Row());
}

void TOutline::Move(TOutlineItem* item, TOutlineItem* newParent, int row) {
    assert(item && newParent && !newParent->IsWithin(item));
    TOutlineItem* oldParent = item->parent_;
    const int oldRow = item->Row();
    std::unique_ptr<TOutlineItem> owned = std::move(oldParent->children_[oldRow]);
    oldParent->children_.erase(oldParent->children_.begin() + oldRow);
    if (oldParent == newParent && oldRow < row) --row;
    owned->parent_ = newParent;
    newParent->children_.insert(newParent->children_.begin() + row, std::move(owned));
}

void TOutline::Clear() {
    root_->children_.clear();
    count_ = 0;
}

void TOutline::ForEach(const std::function<void(TOutlineItem*)>& visit) const { Visit(root_.get(), visit); }
