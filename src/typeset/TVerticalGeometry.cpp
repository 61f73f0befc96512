#include "typeset/TVerticalGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// In cells: the ruby strip, the fold, and the margins around the grid (the label above;
// the hanging cell and the page number below).
constexpr double kRuby = 0.5;
constexpr double kFold = 1.0;
constexpr double kSide = 1.0;
constexpr double kTop = 1.5;
constexpr double kBottom = 2.5;

}  // namespace

TVerticalGeometry::TVerticalGeometry(const QRectF& page, TGridSize grid) : size_(grid) {
    const bool folded = grid.rows >= 2;
    half_ = folded ? (grid.rows + 1) / 2 : grid.rows;
    const double across = grid.rows * (1 + kRuby) + (folded ? kFold : 0) + 2 * kSide;
    const double down = grid.columns + kTop + kBottom;
    cell_ = std::min(page.width() / across, page.height() / down);
    ruby_ = cell_ * kRuby;
    fold_ = folded ? cell_ * kFold : 0;
    const double width = grid.rows * (cell_ + ruby_) + fold_;
    const double height = grid.columns * cell_;
    const double left = page.left() + (page.width() - width) / 2;
    const double top = page.top() + (page.height() - down * cell_) / 2 + kTop * cell_;
    grid_ = QRectF(left, top, width, height);
}

double TVerticalGeometry::RightOf(int line) const {
    return grid_.right() - line * (cell_ + ruby_) - (line >= half_ ? fold_ : 0);
}

QRectF TVerticalGeometry::Cell(int line, int cell) const {
    return {RightOf(line) - ruby_ - cell_, grid_.top() + cell * cell_, cell_, cell_};
}

QRectF TVerticalGeometry::RubyStrip(int line, int firstCell, int lastCell) const {
    return {RightOf(line) - ruby_, grid_.top() + firstCell * cell_, ruby_,
            (lastCell - firstCell + 1) * cell_};
}

QRectF TVerticalGeometry::Fold() const {
    if (fold_ == 0) return {};
    return {RightOf(half_ - 1) - (cell_ + ruby_) - fold_, grid_.top(), fold_, grid_.height()};
}

QRectF TVerticalGeometry::LabelArea() const {
    return {grid_.left(), grid_.top() - kTop * cell_, grid_.width(), kTop * cell_ * 0.8};
}

QRectF TVerticalGeometry::NumberArea() const {
    return {grid_.left(), grid_.bottom() + 1.2 * cell_, grid_.width(), cell_};
}

std::optional<std::pair<int, int>> TVerticalGeometry::CellAt(const QPointF& point) const {
    const int cell = static_cast<int>(std::floor((point.y() - grid_.top()) / cell_));
    if (cell < 0 || cell > size_.columns) return std::nullopt;
    for (int line = 0; line < size_.rows; ++line) {
        const QRectF at = Cell(line, cell);
        // A click on a line's ruby strip counts for the line.
        if (point.x() >= at.left() && point.x() < at.right() + ruby_) return {{line, cell}};
    }
    return std::nullopt;
}
