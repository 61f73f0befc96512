#pragma once

// Where on the outline a dragged item was dropped, by the horizontal zones of the
// row under the pointer.
class TDropZone {
  public:
    enum class Zone {
        OnItem,       // icon or label: the item becomes the target's last child
        BelowItems,   // empty area below the last item: last top-level item
        Indentation,  // left of the expand button: the item goes before the target
        Nowhere,      // expand button, right of the label, outside the items
    };

    struct Row {
        int contentLeft;   // where the item's icon starts
        int contentRight;  // where its label ends
        int indentation;   // width of one level, the expand button's width
    };

    // row: the row under the pointer, or nullptr when there is none.
    static Zone Classify(int x, const Row* row, bool belowLastItem);
};
