#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>

class QPainter;
class QPainterPath;

// The paper the skin is printed on, at one pixel density: the background tile
// with its grain and dot grid, blank pieces, soft shadows under shapes and the
// drop-shadow pieces around the controls. Images are `scale` times the logical
// size and carry that device pixel ratio, so that painting on them uses the
// logical coordinates of the window while every device pixel is drawn natively.
class TSkinPaper {
  public:
    explicit TSkinPaper(int scale) : scale_(scale) {}

    int Scale() const { return scale_; }

    static QColor Base();
    // The background tile's colour at device pixel (x, y) of the window drawn at
    // `scale` (the tile repeats every 100 logical pixels).
    static QColor PaperAt(int x, int y, int scale);
    // Antialiased shapes, text and scaled images.
    static void SmoothHints(QPainter& p);

    // A w x h (logical) piece filled with one colour.
    QImage Blank(int w, int h, const QColor& fill) const;
    // The background as seen through a w x h piece drawn at (ax, ay).
    QImage Patch(int ax, int ay, int w, int h) const;
    // Paper without the dot grid, for pieces whose place moves with the window.
    QImage Flat(int w, int h) const;
    // A soft shadow of a shape (logical coordinates), blended into the image under it.
    void SoftShadow(QImage& img, const QPainterPath& shape, QPointF offset, int radius,
                    double opacity) const;
    // One piece of the controls' drop shadow: "TopRight", "Right", "BottomLeft",
    // "Bottom" or "BottomRight".
    QImage ShadowPiece(const QString& piece) const;

  private:
    QImage NewImage(int w, int h) const;

    int scale_;
};
