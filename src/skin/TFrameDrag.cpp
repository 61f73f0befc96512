#include "skin/TFrameDrag.h"

#include "skin/TSkinLayout.h"

TFrameDrag::TFrameDrag(SkinCode element, const QRect& startGeometry, const QPoint& startPointer,
                       const QSize& minimum)
    : element_(element), start_(startGeometry), startPointer_(startPointer), minimum_(minimum) {}

QRect TFrameDrag::GeometryAt(const QPoint& pointer) const {
    const QPoint d = pointer - startPointer_;
    if (element_ == SkinCode::Caption) return start_.translated(d);

    int left = start_.left(), top = start_.top(), right = start_.right(), bottom = start_.bottom();
    const bool leftEdge = element_ == SkinCode::LeftEdge || element_ == SkinCode::TopLeftCorner ||
                          element_ == SkinCode::BottomLeftCorner;
    const bool rightEdge = element_ == SkinCode::RightEdge ||
                           element_ == SkinCode::TopRightCorner ||
                           element_ == SkinCode::BottomRightCorner;
    const bool topEdge = element_ == SkinCode::TopEdge || element_ == SkinCode::TopLeftCorner ||
                         element_ == SkinCode::TopRightCorner;
    const bool bottomEdge = element_ == SkinCode::BottomEdge ||
                            element_ == SkinCode::BottomLeftCorner ||
                            element_ == SkinCode::BottomRightCorner;
    // The minimum size holds: the dragged edge stops where the window would get too small.
    if (leftEdge) left = std::min(start_.left() + d.x(), right - minimum_.width() + 1);
    if (rightEdge) right = std::max(start_.right() + d.x(), left + minimum_.width() - 1);
    if (topEdge) top = std::min(start_.top() + d.y(), bottom - minimum_.height() + 1);
    if (bottomEdge) bottom = std::max(start_.bottom() + d.y(), top + minimum_.height() - 1);
    return QRect(QPoint(left, top), QPoint(right, bottom));
}
