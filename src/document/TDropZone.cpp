#include "document/TDropZone.h"

TDropZone::Zone TDropZone::Classify(int x, const Row* row, bool belowLastItem) {
    if (!row) return belowLastItem ? Zone::BelowItems : Zone::Nowhere;
    if (x >= row->contentLeft && x < row->contentRight) return Zone::OnItem;
    if (x < row->contentLeft - row->indentation) return Zone::Indentation;
    return Zone::Nowhere;
}
