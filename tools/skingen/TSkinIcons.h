#pragma once

#include <QColor>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;
class QPainterPath;

// The line icons and the program's mark, drawn in vector form at the painter's
// scale: the same drawing serves every pixel density.
class TSkinIcons {
  public:
    // A round-capped, round-joined pen.
    static QPen Stroke(const QColor& c, double width);
    static QPainterPath RoundedRect(const QRectF& r, double radius);
    // The program's mark: three outline rows on a rounded square.
    static void Mark(QPainter& p, const QRectF& r, const QColor& bg, const QColor& fg);
    // Tool-row line icons in a 24 x 24 box. face is the button's face colour, used
    // to knock out overlapping shapes.
    static void ToolIcon(QPainter& p, const QString& icon, const QColor& ink, const QColor& face);
    // Arrow-pad chevron pointing in a direction, centred at c.
    static void Chevron(QPainter& p, const QString& dir, const QColor& ink, QPointF c);
};
