#include "document/TMovePrimitive.h"

// A move to where the item is already changes nothing: it is no move.
static bool IsLastChildOf(const TOutlineItem* item, const TOutlineItem* parent) {
    return item->Parent() == parent && item->Row() + 1 == parent->ChildCount();
}

std::optional<TMovePrimitive::Destination> TMovePrimitive::Resolve(const TOutline& outline,
                                                                   const TOutlineItem* item,
                                                                   Mode mode,
                                                                   TOutlineItem* target) {
    if (target && target->IsWithin(item)) return std::nullopt;
    switch (mode) {
        case Mode::LastChild:
            if (!target || IsLastChildOf(item, target)) return std::nullopt;
            return Destination{target, target->ChildCount()};
        case Mode::Before: {
            if (!target) return std::nullopt;
            TOutlineItem* parent = target->Parent();
            const int row = target->Row();
            if (item->Parent() == parent && item->Row() + 1 == row) return std::nullopt;
            return Destination{parent, row};
        }
        case Mode::LastSibling: {
            TOutlineItem* parent = target ? target->Parent() : outline.Root();
            if (IsLastChildOf(item, parent)) return std::nullopt;
            return Destination{parent, parent->ChildCount()};
        }
    }
    return std::nullopt;
}
