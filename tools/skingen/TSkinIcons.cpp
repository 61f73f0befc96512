#include "TSkinIcons.h"

#include <QPainter>
#include <QPainterPath>

QPen TSkinIcons::Stroke(const QColor& c, double width) {
    QPen pen(c, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QPainterPath TSkinIcons::RoundedRect(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// The program's mark: three outline rows on a rounded square.
void TSkinIcons::Mark(QPainter& p, const QRectF& r, const QColor& bg, const QColor& fg) {
    const double s = r.width() / 24.0;
    p.save();
    p.translate(r.topLeft());
    p.scale(s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(0, 0, 24, 24), 6, 6);
    p.setPen(Stroke(fg, 1.8));
    p.setBrush(Qt::NoBrush);
    // connectors
    QPainterPath tree;
    tree.moveTo(7, 9);
    tree.lineTo(7, 17);
    tree.lineTo(10.5, 17);
    tree.moveTo(7, 12.5);
    tree.lineTo(10.5, 12.5);
    p.drawPath(tree);
    p.setPen(Qt::NoPen);
    p.setBrush(fg);
    p.drawEllipse(QPointF(7, 7), 2.2, 2.2);
    p.drawRoundedRect(QRectF(11, 6, 8, 2.2), 1.1, 1.1);
    p.drawEllipse(QPointF(12.5, 12.5), 1.7, 1.7);
    p.drawRoundedRect(QRectF(15.5, 11.4, 4.5, 2.2), 1.1, 1.1);
    p.drawEllipse(QPointF(12.5, 17), 1.7, 1.7);
    p.drawRoundedRect(QRectF(15.5, 15.9, 3, 2.2), 1.1, 1.1);
    p.restore();
}

// Tool-row line icons in a 24 x 24 box. face is the button's face colour,
// used to knock out overlapping shapes.
void TSkinIcons::ToolIcon(QPainter& p, const QString& icon, const QColor& ink, const QColor& face) {
    p.setPen(Stroke(ink, 1.7));
    p.setBrush(Qt::NoBrush);
    if (icon == QLatin1String("new")) {
        QPainterPath page;
        page.moveTo(5.5, 3.5);
        page.lineTo(13.5, 3.5);
        page.lineTo(18.5, 8.5);
        page.lineTo(18.5, 20.5);
        page.lineTo(5.5, 20.5);
        page.closeSubpath();
        p.drawPath(page);
        QPainterPath fold;
        fold.moveTo(13.5, 3.5);
        fold.lineTo(13.5, 8.5);
        fold.lineTo(18.5, 8.5);
        p.drawPath(fold);
        p.drawLine(QPointF(12, 11.5), QPointF(12, 17.5));
        p.drawLine(QPointF(9, 14.5), QPointF(15, 14.5));
    } else if (icon == QLatin1String("open")) {
        QPainterPath back;
        back.moveTo(3.5, 18.5);
        back.lineTo(3.5, 5.5);
        back.lineTo(9, 5.5);
        back.lineTo(11, 7.5);
        back.lineTo(18, 7.5);
        back.lineTo(18, 10.5);
        p.drawPath(back);
        QPainterPath front;
        front.moveTo(3.5, 18.5);
        front.lineTo(7, 10.5);
        front.lineTo(21.5, 10.5);
        front.lineTo(18, 18.5);
        front.closeSubpath();
        p.setBrush(face);
        p.drawPath(front);
    } else if (icon == QLatin1String("save")) {
        QPainterPath body;
        body.moveTo(4.5, 6);
        body.quadTo(4.5, 4.5, 6, 4.5);
        body.lineTo(16, 4.5);
        body.lineTo(19.5, 8);
        body.lineTo(19.5, 18);
        body.quadTo(19.5, 19.5, 18, 19.5);
        body.lineTo(6, 19.5);
        body.quadTo(4.5, 19.5, 4.5, 18);
        body.closeSubpath();
        p.drawPath(body);
        p.drawRect(QRectF(8.5, 4.5, 6.5, 4.5));
        p.drawRoundedRect(QRectF(8, 13, 8, 6.5), 1, 1);
    } else if (icon == QLatin1String("pastebrother") || icon == QLatin1String("pastechild")) {
        // A clipboard beside a small outline: two rows on one level for a
        // sibling, an indented row for a child.
        p.drawRoundedRect(QRectF(2.5, 5, 11, 15.5), 2, 2);
        p.setBrush(face);
        p.drawRoundedRect(QRectF(5, 3, 6, 4), 1.5, 1.5);
        p.setPen(Stroke(ink, 1.2));
        p.drawLine(QPointF(5.5, 11.5), QPointF(10.5, 11.5));
        p.drawLine(QPointF(5.5, 15), QPointF(9, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        if (icon == QLatin1String("pastechild")) {
            p.drawRoundedRect(QRectF(15.5, 5.5, 7, 3.4), 1.4, 1.4);
            p.drawRoundedRect(QRectF(19, 15.3, 4, 3.4), 1.4, 1.4);
            p.setPen(Stroke(ink, 1.3));
            p.setBrush(Qt::NoBrush);
            QPainterPath l;
            l.moveTo(16.8, 9.5);
            l.lineTo(16.8, 17);
            l.lineTo(18.3, 17);
            p.drawPath(l);
        } else {
            p.drawRoundedRect(QRectF(15.5, 5.5, 7, 3.4), 1.4, 1.4);
            p.drawRoundedRect(QRectF(15.5, 15.3, 7, 3.4), 1.4, 1.4);
            p.setPen(Stroke(ink, 1.3));
            p.drawLine(QPointF(19, 10.5), QPointF(19, 13.5));
        }
    } else if (icon == QLatin1String("cut")) {
        p.drawEllipse(QPointF(7.5, 17), 3, 3);
        p.drawEllipse(QPointF(16.5, 17), 3, 3);
        p.drawLine(QPointF(9.3, 14.6), QPointF(16.5, 3.5));
        p.drawLine(QPointF(14.7, 14.6), QPointF(7.5, 3.5));
    } else if (icon == QLatin1String("copy")) {
        p.drawRoundedRect(QRectF(4.5, 3.5, 10.5, 13), 1.5, 1.5);
        p.setBrush(face);
        p.drawRoundedRect(QRectF(9, 8, 10.5, 13), 1.5, 1.5);
    } else if (icon == QLatin1String("paste")) {
        p.drawRoundedRect(QRectF(4, 5, 13, 15.5), 2, 2);
        p.setBrush(face);
        p.drawRoundedRect(QRectF(7.5, 3, 6, 4), 1.5, 1.5);
        p.drawRoundedRect(QRectF(11, 10, 9, 11), 1.5, 1.5);
        p.setPen(Stroke(ink, 1.2));
        p.drawLine(QPointF(13.5, 14), QPointF(17.5, 14));
        p.drawLine(QPointF(13.5, 17), QPointF(16.5, 17));
    } else if (icon == QLatin1String("undo")) {
        QPainterPath arc;
        arc.moveTo(5.5, 10);
        arc.lineTo(14.5, 10);
        arc.cubicTo(17.8, 10, 20, 12.2, 20, 15);
        arc.cubicTo(20, 17.8, 17.8, 20, 14.5, 20);
        arc.lineTo(10, 20);
        p.drawPath(arc);
        QPainterPath head;
        head.moveTo(9.5, 6);
        head.lineTo(5.5, 10);
        head.lineTo(9.5, 14);
        p.drawPath(head);
    }
}

// Arrow-pad chevron pointing in a direction, centred in a 30 x 30 button.
void TSkinIcons::Chevron(QPainter& p, const QString& dir, const QColor& ink, QPointF c) {
    p.setPen(Stroke(ink, 2.0));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    const double a = 3.6;
    const double b = 2.2;
    if (dir == QLatin1String("up")) {
        path.moveTo(c.x() - a, c.y() + b * 0.8);
        path.lineTo(c.x(), c.y() - b * 1.2);
        path.lineTo(c.x() + a, c.y() + b * 0.8);
    } else if (dir == QLatin1String("down")) {
        path.moveTo(c.x() - a, c.y() - b * 0.8);
        path.lineTo(c.x(), c.y() + b * 1.2);
        path.lineTo(c.x() + a, c.y() - b * 0.8);
    } else if (dir == QLatin1String("left")) {
        path.moveTo(c.x() + b * 0.8, c.y() - a);
        path.lineTo(c.x() - b * 1.2, c.y());
        path.lineTo(c.x() + b * 0.8, c.y() + a);
    } else {
        path.moveTo(c.x() - b * 0.8, c.y() - a);
        path.lineTo(c.x() + b * 1.2, c.y());
        path.lineTo(c.x() - b * 0.8, c.y() + a);
    }
    p.drawPath(path);
}
