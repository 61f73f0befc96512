#pragma once

#include <QRectF>
#include <optional>

#include "layout/TGridSize.h"

// Where the parts of a vertical manuscript page lie on a page rectangle: the grid lines
// as columns from right to left, each with a narrow strip for ruby on its right, the
// centre fold between the two halves, the hanging cell below every line, and the margins
// for the item's label (above) and the page number (below).
class TVerticalGeometry {
  public:
    TVerticalGeometry(const QRectF& page, TGridSize grid);

    double CellSize() const { return cell_; }
    double RubyWidth() const { return ruby_; }
    // The cell of line (of the page, 0 the rightmost) at cell (0 the top; grid.columns is
    // the hanging cell below the line).
    QRectF Cell(int line, int cell) const;
    // The ruby strip right of cells [firstCell, lastCell] of line.
    QRectF RubyStrip(int line, int firstCell, int lastCell) const;
    // The frame around every cell and ruby strip.
    QRectF Grid() const { return grid_; }
    // The centre fold (empty for a page of a single grid line).
    QRectF Fold() const;
    QRectF LabelArea() const;
    QRectF NumberArea() const;
    // The line and cell under point, the hanging cell included.
    std::optional<std::pair<int, int>> CellAt(const QPointF& point) const;

  private:
    // The right edge of line's ruby strip.
    double RightOf(int line) const;

    TGridSize size_;
    double cell_ = 0;
    double ruby_ = 0;
    double fold_ = 0;
    int half_ = 0;  // lines right of the fold
    QRectF grid_;
};
