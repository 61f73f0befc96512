#include "document/TMovePrimitive.h"

std::optional<TMovePrimitive::Destination> TMovePrimitive::Resolve(const TOutline& outline,
                                                                   const TOutlineItem* item, Mode mode,
                                                                   TOutlineItem* target) {
    if (target && target->IsWithin(item)) return std::nullopt;
    switch (mode) {
        case Mode::LastChild:
            if (!target) return std::nullopt;
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
            return Destination{parent, parent->ChildCount()};
        }
    }
    return std::nullopt;
}
