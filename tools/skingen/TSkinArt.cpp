#include "TSkinArt.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <vector>

namespace {

// Palette. A warm paper surface, graphite ink, and one green accent for
// every active look.
const QColor kPaper(243, 241, 236);
const QColor kPaperDot(219, 214, 205);
const QColor kInk(60, 64, 68);
const QColor kInkSoft(128, 128, 124);
const QColor kFace(252, 251, 248);
const QColor kHairline(212, 207, 198);
const QColor kAccent(38, 138, 98);
const QColor kAccentDark(24, 100, 70);
const QColor kAccentLight(70, 166, 124);
const QColor kTitleBand(0, 0, 0);
const QColor kMenuBand(77, 77, 77);
const QColor kShadow(58, 50, 38);

// A stable pseudo-random value in [0, 1) for a pixel.
double Hash(int x, int y) {
    quint32 h = quint32(x) * 374761393u + quint32(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xFFFFFF) / double(0x1000000);
}

QColor Grain(const QColor& base, int x, int y) {
    const int d = int(std::lround(Hash(x, y) * 4.0 - 2.0));
    return QColor(qBound(0, base.red() + d, 255), qBound(0, base.green() + d, 255),
                  qBound(0, base.blue() + d, 255));
}

QImage NewImage(int w, int h, const QColor& fill) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(fill);
    return img;
}

// The background tile as seen through a piece drawn at (ax, ay).
QImage PaperPatch(int ax, int ay, int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) img.setPixelColor(x, y, TSkinArt::PaperAt(ax + x, ay + y));
    }
    return img;
}

// Paper without the dot grid, for pieces whose place moves with the window.
QImage FlatPaper(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) img.setPixelColor(x, y, Grain(kPaper, x + 31, y + 57));
    }
    return img;
}

QFont Font(int pixelSize, QFont::Weight weight = QFont::Normal, bool serif = false,
           bool condensed = false) {
    QFont f(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    if (condensed) f.setStretch(QFont::Condensed);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void Begin(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// Separable box blur of an alpha mask, three passes (close to a Gaussian).
void BlurMask(std::vector<float>& a, int w, int h, int r) {
    if (r <= 0) return;
    std::vector<float> tmp(a.size());
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                float s = 0;
                for (int k = -r; k <= r; ++k) s += a[y * w + qBound(0, x + k, w - 1)];
                tmp[y * w + x] = s / float(2 * r + 1);
            }
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                float s = 0;
                for (int k = -r; k <= r; ++k) s += tmp[qBound(0, y + k, h - 1) * w + x];
                a[y * w + x] = s / float(2 * r + 1);
            }
        }
    }
}

// A soft shadow of a shape, blended into the image underneath it.
void SoftShadow(QImage& img, const QPainterPath& shape, QPointF offset, int radius,
                double opacity) {
    QImage mask(img.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        Begin(p);
        p.translate(offset);
        p.fillPath(shape, Qt::black);
    }
    const int w = img.width();
    const int h = img.height();
    std::vector<float> a(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) a[y * w + x] = qAlpha(mask.pixel(x, y)) / 255.0f;
    }
    BlurMask(a, w, h, radius);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double t = a[y * w + x] * opacity;
            const QColor c = img.pixelColor(x, y);
            img.setPixelColor(x, y,
                              QColor(int(std::lround(c.red() * (1 - t) + kShadow.red() * t)),
                                     int(std::lround(c.green() * (1 - t) + kShadow.green() * t)),
                                     int(std::lround(c.blue() * (1 - t) + kShadow.blue() * t))));
        }
    }
}

QPen Stroke(const QColor& c, double width) {
    QPen pen(c, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QPainterPath RoundedRect(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

// The program's mark: three outline rows on a rounded square.
void DrawMark(QPainter& p, const QRectF& r, const QColor& bg, const QColor& fg) {
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
void DrawToolIcon(QPainter& p, const QString& icon, const QColor& ink, const QColor& face) {
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
void DrawChevron(QPainter& p, const QString& dir, const QColor& ink, QPointF c) {
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

double Phi(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

QImage Rgb(const QImage& img) { return img.convertToFormat(QImage::Format_RGB888); }

}  // namespace

QColor TSkinArt::PaperAt(int x, int y) {
    const int tx = ((x % 100) + 100) % 100;
    const int ty = ((y % 100) + 100) % 100;
    // A faint dot grid; the top 15 rows of the tile stay free of dots because
    // the hint line stretches them across the window.
    if (tx % 20 == 17 && ty % 20 == 17) return kPaperDot;
    return Grain(kPaper, tx, ty);
}

QImage TSkinArt::Back() const { return PaperPatch(0, 0, 100, 100); }

QImage TSkinArt::Title() const {
    QImage img = FlatPaper(140, 60);
    QPainter p(&img);
    Begin(p);
    DrawMark(p, QRectF(4, 12, 26, 26), kAccent, Qt::white);
    QFont word = Font(20, QFont::Bold, true);
    while (QFontMetricsF(word).horizontalAdvance(QStringLiteral("Hedgerow")) > 100) {
        word.setPixelSize(word.pixelSize() - 1);
    }
    p.setFont(word);
    p.setPen(kInk);
    p.drawText(QPointF(37, 33), QStringLiteral("Hedgerow"));
    QFont sub = Font(8, QFont::Bold);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 1.4);
    p.setFont(sub);
    p.setPen(kInkSoft);
    p.drawText(QPointF(38, 47), QStringLiteral("OUTLINE EDITOR"));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(4, 43, 26, 2.5), 1.25, 1.25);
    return img;
}

QImage TSkinArt::TitleBar(bool active) const {
    QImage img = NewImage(300, 24, kTitleBand);
    QPainter p(&img);
    Begin(p);
    DrawMark(p, QRectF(2, 3, 18, 18), active ? kAccent : QColor(62, 62, 62),
             active ? QColor(Qt::white) : QColor(150, 150, 150));
    QFont name = Font(13, QFont::Bold);
    p.setFont(name);
    p.setPen(active ? QColor(246, 246, 246) : QColor(132, 132, 132));
    p.drawText(QPointF(28, 17), QStringLiteral("Hedgerow"));
    const double x = 28 + QFontMetricsF(name).horizontalAdvance(QStringLiteral("Hedgerow")) + 9;
    p.setFont(Font(12));
    p.setPen(active ? QColor(150, 150, 150) : QColor(92, 92, 92));
    p.drawText(QPointF(x, 17), QStringLiteral("outline editor"));
    return img;
}

QImage TSkinArt::SystemButton(const QString& kind) const {
    QImage img = NewImage(30, 30, kTitleBand);
    QPainter p(&img);
    Begin(p);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(QColor(28, 28, 28));
    p.drawEllipse(QPointF(15, 15), 11, 11);
    const QColor ink(214, 214, 214);
    p.setPen(Stroke(ink, 1.5));
    p.setBrush(Qt::NoBrush);
    if (kind == QLatin1String("Minimize")) {
        p.drawLine(QPointF(10.5, 18.5), QPointF(19.5, 18.5));
    } else if (kind == QLatin1String("Maximize")) {
        p.drawRect(QRectF(10.5, 10.5, 9, 9));
        p.drawLine(QPointF(10.5, 11.5), QPointF(19.5, 11.5));
    } else if (kind == QLatin1String("Normalize")) {
        QPainterPath behind;
        behind.moveTo(12.5, 10.5);
        behind.lineTo(12.5, 8.5);
        behind.lineTo(21.5, 8.5);
        behind.lineTo(21.5, 17.5);
        behind.lineTo(19.5, 17.5);
        p.drawPath(behind);
        p.drawRect(QRectF(8.5, 12.5, 9, 9));
    } else {
        p.setPen(Stroke(QColor(232, 232, 232), 1.7));
        p.drawLine(QPointF(11, 11), QPointF(19, 19));
        p.drawLine(QPointF(19, 11), QPointF(11, 19));
    }
    return img;
}

QImage TSkinArt::MenuTitle(const QString& word, int width, bool active) const {
    // Drawn from y = 34: the top six rows lie on the title band.
    QImage img = NewImage(width, 26, kMenuBand);
    QPainter p(&img);
    Begin(p);
    p.fillRect(QRect(0, 0, width, 6), kTitleBand);
    if (active) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(1, 8, width - 2, 16), 8, 8);
    }
    QFont f = Font(12, active ? QFont::DemiBold : QFont::Normal);
    p.setFont(f);
    p.setPen(active ? QColor(Qt::white) : QColor(226, 226, 226));
    p.drawText(QRectF(0, 8, width, 16), Qt::AlignCenter, word);
    return img;
}

QImage TSkinArt::ToolButton(const QString& icon, int x, int y, bool active) const {
    QImage img = PaperPatch(x, y, 50, 50);
    const QRectF card(5.5, 4.5, 39, 39);
    const QPainterPath shape = RoundedRect(card, 9);
    SoftShadow(img, shape, QPointF(0, active ? 2.0 : 1.5), active ? 3 : 2, active ? 0.30 : 0.20);
    QPainter p(&img);
    Begin(p);
    p.setPen(QPen(active ? kAccentDark : kHairline, 1));
    if (active) {
        QLinearGradient g(card.topLeft(), card.bottomLeft());
        g.setColorAt(0, kAccentLight);
        g.setColorAt(1, kAccent);
        p.setBrush(g);
    } else {
        p.setBrush(kFace);
    }
    p.drawPath(shape);
    // The 24-pixel icon grid enlarged to 28 pixels, centred on the card.
    p.translate(card.center() - QPointF(14, 14));
    p.scale(28.0 / 24.0, 28.0 / 24.0);
    DrawToolIcon(p, icon, active ? QColor(Qt::white) : kInk, active ? kAccent : kFace);
    return img;
}

QImage TSkinArt::ArrowButton(const QString& dir, int x, int y, bool active) const {
    QImage img = PaperPatch(x, y, 30, 30);
    QPainterPath circle;
    circle.addEllipse(QPointF(15, 14.5), 11.5, 11.5);
    SoftShadow(img, circle, QPointF(0, 1.3), 2, active ? 0.28 : 0.20);
    QPainter p(&img);
    Begin(p);
    p.setPen(QPen(active ? kAccentDark : kHairline, 1));
    if (active) {
        QLinearGradient g(0, 3, 0, 26);
        g.setColorAt(0, kAccentLight);
        g.setColorAt(1, kAccent);
        p.setBrush(g);
    } else {
        p.setBrush(kFace);
    }
    p.drawPath(circle);
    DrawChevron(p, dir, active ? QColor(Qt::white) : kInk, QPointF(15, 14.5));
    return img;
}

QImage TSkinArt::ItemButton(const QString& word, int x, int y, const QString& look) const {
    QImage img = PaperPatch(x, y, 90, 30);
    const bool pressed = look == QLatin1String("Click");
    const bool active = look == QLatin1String("Active");
    const QRectF pill(2.5, pressed ? 3.5 : 2.5, 85, 24);
    const QPainterPath shape = RoundedRect(pill, 12);
    if (!pressed) SoftShadow(img, shape, QPointF(0, 1.5), 2, active ? 0.30 : 0.20);
    QPainter p(&img);
    Begin(p);
    if (pressed) {
        p.setPen(QPen(QColor(18, 76, 53), 1));
        p.setBrush(kAccentDark);
        p.drawPath(shape);
        // Inner shadow along the top: the button sits below the surface.
        p.save();
        p.setClipPath(shape);
        QLinearGradient g(0, pill.top(), 0, pill.top() + 7);
        g.setColorAt(0, QColor(0, 0, 0, 110));
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(pill, g);
        p.restore();
    } else if (active) {
        QLinearGradient g(0, pill.top(), 0, pill.bottom());
        g.setColorAt(0, kAccentLight);
        g.setColorAt(1, kAccent);
        p.setPen(QPen(kAccentDark, 1));
        p.setBrush(g);
        p.drawPath(shape);
    } else {
        p.setPen(QPen(kHairline, 1));
        p.setBrush(kFace);
        p.drawPath(shape);
    }
    QFont f = Font(12, QFont::DemiBold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    p.setFont(f);
    p.setPen(pressed ? QColor(214, 236, 224) : active ? QColor(Qt::white) : kInk);
    p.drawText(pill.translated(0, -0.5), Qt::AlignCenter, word);
    return img;
}

QImage TSkinArt::LinkTab(const QString& word, int height, bool active) const {
    QImage img = FlatPaper(14, height);
    QPainter p(&img);
    Begin(p);
    QPainterPath tab;
    const double r = 4;
    tab.moveTo(14, 0);
    tab.lineTo(r, 0);
    tab.quadTo(0, 0, 0, r);
    tab.lineTo(0, height - r);
    tab.quadTo(0, height, r, height);
    tab.lineTo(14, height);
    tab.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(active ? kAccent : kMenuBand);
    p.drawPath(tab);
    QFont f = Font(10, QFont::Normal, false, true);
    while (f.pixelSize() > 7 && QFontMetricsF(f).horizontalAdvance(word) > height - 5) {
        f.setPixelSize(f.pixelSize() - 1);
    }
    // Set horizontally on the pixel grid, then turned a quarter to read from
    // top to bottom: crisper than text drawn through a rotation.
    // The tab's last two columns lie on the window border; the text keeps to
    // the 12 columns inside it.
    QImage text(height, 12, QImage::Format_ARGB32_Premultiplied);
    text.fill(Qt::transparent);
    {
        QPainter t(&text);
        Begin(t);
        t.setFont(f);
        t.setPen(active ? QColor(Qt::white) : QColor(228, 228, 228));
        t.drawText(QRectF(0, 0, height, 12), Qt::AlignCenter, word);
    }
    p.drawImage(0, 0, text.transformed(QTransform().rotate(90)));
    return img;
}

QImage TSkinArt::Shadow(const QString& piece) const {
    // A rectangle offset 3 pixels down and right, blurred with sigma 4.5:
    // each piece is the matching part of its soft edge over the paper.
    const double d = 3.0;
    const double sigma = 4.5;
    const double strength = 0.30;
    auto falling = [&](int i) { return 1.0 - Phi((i + 0.5 - d) / sigma); };
    auto rising = [&](int i) { return Phi((i + 0.5 - d) / sigma); };
    int w = 20;
    int h = 20;
    if (piece == QLatin1String("Right")) h = 10;
    if (piece == QLatin1String("Bottom")) w = 10;
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double sx = 1.0;
            double sy = 1.0;
            if (piece == QLatin1String("TopRight")) {
                sx = falling(x);
                sy = rising(y);
            } else if (piece == QLatin1String("Right")) {
                sx = falling(x);
            } else if (piece == QLatin1String("BottomLeft")) {
                sx = rising(x);
                sy = falling(y);
            } else if (piece == QLatin1String("Bottom")) {
                sy = falling(y);
            } else {
                sx = falling(x);
                sy = falling(y);
            }
            const double t = strength * sx * sy;
            img.setPixelColor(
                x, y,
                QColor(int(std::lround(kPaper.red() * (1 - t) + kShadow.red() * t)),
                       int(std::lround(kPaper.green() * (1 - t) + kShadow.green() * t)),
                       int(std::lround(kPaper.blue() * (1 - t) + kShadow.blue() * t))));
        }
    }
    return img;
}

QVector<TArtFile> TSkinArt::RoundFrame() const {
    // The frame spans (10, 130)-(130, 270). One engraved line (dark, with a
    // light line one pixel below and right) runs 4.5 pixels in from every
    // outer edge, so the left and right, top and bottom pieces are identical.
    QImage whole(120, 140, QImage::Format_ARGB32_Premultiplied);
    whole.fill(kPaper);
    {
        QPainter p(&whole);
        Begin(p);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255), 1));
        p.drawRoundedRect(QRectF(5.5, 5.5, 110, 130), 6, 6);
        p.setPen(QPen(QColor(196, 190, 179), 1));
        p.drawRoundedRect(QRectF(4.5, 4.5, 110, 130), 6, 6);
    }
    auto piece = [&](int x, int y) { return Rgb(whole.copy(x, y, 10, 10)); };
    return {
        {QStringLiteral("RoundFrame_TopLeft.bmp"), piece(0, 0)},
        {QStringLiteral("RoundFrame_TopRight.bmp"), piece(110, 0)},
        {QStringLiteral("RoundFrame_BottomLeft.bmp"), piece(0, 130)},
        {QStringLiteral("RoundFrame_BottomRight.bmp"), piece(110, 130)},
        {QStringLiteral("RoundFrame_Vertical.bmp"), piece(0, 60)},
        {QStringLiteral("RoundFrame_Horizontal.bmp"), piece(50, 0)},
    };
}

QImage TSkinArt::ItemImage(bool selected) const {
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Begin(p);
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(2, 2, 12, 12), 3.5, 3.5);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(5, 6, 6, 1.6), 0.8, 0.8);
        p.drawRoundedRect(QRectF(5, 9, 4, 1.6), 0.8, 0.8);
    } else {
        p.setPen(QPen(QColor(150, 146, 138), 1.2));
        p.setBrush(kFace);
        p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 146, 138));
        p.drawRoundedRect(QRectF(5, 6, 6, 1.4), 0.7, 0.7);
        p.drawRoundedRect(QRectF(5, 9, 4, 1.4), 0.7, 0.7);
    }
    return img;
}

QImage TSkinArt::Icon(int size) const {
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Begin(p);
    const double s = size / 64.0;
    p.scale(s, s);
    QLinearGradient g(0, 2, 0, 62);
    g.setColorAt(0, kAccentLight);
    g.setColorAt(1, kAccentDark);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 14, 14);
    // A sheet of paper carrying the outline mark.
    p.setBrush(kFace);
    p.drawRoundedRect(QRectF(13, 11, 38, 42), 5, 5);
    DrawMark(p, QRectF(17, 17, 30, 30), kFace, kAccentDark);
    return img;
}

QImage TSkinArt::About() const {
    QImage img = PaperPatch(0, 0, 190, 160);
    QPainter p(&img);
    Begin(p);
    p.fillRect(QRect(0, 0, 190, 44), kTitleBand);
    p.fillRect(QRect(0, 44, 190, 6), kMenuBand);
    DrawMark(p, QRectF(14, 10, 24, 24), kAccent, Qt::white);
    p.setFont(Font(17, QFont::Bold, true));
    p.setPen(QColor(246, 246, 246));
    p.drawText(QPointF(46, 29), QStringLiteral("Hedgerow"));

    // A small outline, as the editor shows it.
    struct Row {
        int depth;
        int length;
        bool selected;
    };
    const Row rows[] = {
        {0, 64, false}, {1, 48, true}, {2, 40, false}, {1, 56, false}, {0, 52, false}};
    double y = 64;
    for (const Row& r : rows) {
        const double x = 18 + r.depth * 14;
        if (r.depth > 0) {
            p.setPen(Stroke(QColor(190, 184, 173), 1.2));
            p.drawLine(QPointF(x - 9, y - 9), QPointF(x - 9, y));
            p.drawLine(QPointF(x - 9, y), QPointF(x - 4, y));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(r.selected ? kAccent : QColor(150, 146, 138));
        p.drawEllipse(QPointF(x, y), 3, 3);
        p.setBrush(r.selected ? kAccent : QColor(205, 200, 191));
        p.drawRoundedRect(QRectF(x + 7, y - 2.5, r.length, 5), 2.5, 2.5);
        y += 15;
    }
    p.setPen(kInk);
    p.setFont(Font(10, QFont::Bold));
    p.drawText(QRectF(0, 136, 176, 12), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("outline editor"));
    p.setPen(kInkSoft);
    p.setFont(Font(9));
    p.drawText(QRectF(0, 147, 176, 11), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("version 1.08"));
    return img;
}

QVector<TArtFile> TSkinArt::SkinFiles() const {
    QVector<TArtFile> out;
    auto add = [&](const QString& name, const QImage& img) { out.append({name, Rgb(img)}); };

    add(QStringLiteral("Back.bmp"), Back());
    add(QStringLiteral("Title.bmp"), Title());
    add(QStringLiteral("TitleBar_Active.bmp"), TitleBar(true));
    add(QStringLiteral("TitleBar_Deactive.bmp"), TitleBar(false));
    for (const char* kind : {"Minimize", "Maximize", "Normalize", "Close"}) {
        add(QStringLiteral("SystemButton_%1.bmp").arg(QLatin1String(kind)),
            SystemButton(QLatin1String(kind)));
    }

    struct Menu {
        const char* word;
        int width;
    };
    // Widths follow the hit rectangles of the menu titles.
    for (const Menu& m : {Menu{"file", 32}, Menu{"edit", 42}, Menu{"view", 46}, Menu{"option", 68},
                          Menu{"help", 46}}) {
        const QString word = QLatin1String(m.word);
        add(QStringLiteral("SystemMenu_%1_Normal.bmp").arg(word), MenuTitle(word, m.width, false));
        add(QStringLiteral("SystemMenu_%1_Active.bmp").arg(word), MenuTitle(word, m.width, true));
    }

    struct Tool {
        const char* stem;
        const char* icon;
        int x;
    };
    for (const Tool& t :
         {Tool{"NewFile", "new", 20}, Tool{"OpenFile", "open", 70}, Tool{"SaveFile", "save", 120},
          Tool{"PasteBrother", "pastebrother", 220}, Tool{"PasteChild", "pastechild", 270},
          Tool{"Cut", "cut", 370}, Tool{"Copy", "copy", 420}, Tool{"Paste", "paste", 470},
          Tool{"Undo", "undo", 520}}) {
        const QString stem = QLatin1String(t.stem);
        const QString icon = QLatin1String(t.icon);
        add(QStringLiteral("Item_%1_Normal.bmp").arg(stem), ToolButton(icon, t.x, 70, false));
        add(QStringLiteral("Item_%1_Active.bmp").arg(stem), ToolButton(icon, t.x, 70, true));
    }

    struct Arrow {
        const char* dir;
        int x, y;
    };
    for (const Arrow& a : {Arrow{"up", 55, 280}, Arrow{"down", 55, 340}, Arrow{"left", 25, 310},
                           Arrow{"right", 85, 310}}) {
        const QString dir = QLatin1String(a.dir);
        add(QStringLiteral("Item_%1_Normal.bmp").arg(dir), ArrowButton(dir, a.x, a.y, false));
        add(QStringLiteral("Item_%1_Active.bmp").arg(dir), ArrowButton(dir, a.x, a.y, true));
    }

    struct Item {
        const char* word;
        int y;
    };
    for (const Item& b : {Item{"brother", 140}, Item{"child", 180}, Item{"delete", 220}}) {
        const QString word = QLatin1String(b.word);
        for (const char* look : {"Normal", "Active", "Click"}) {
            add(QStringLiteral("Button_%1_%2.bmp").arg(word, QLatin1String(look)),
                ItemButton(word, 20, b.y, QLatin1String(look)));
        }
    }

    add(QStringLiteral("e-mail_Normal.bmp"), LinkTab(QStringLiteral("e-mail"), 30, false));
    add(QStringLiteral("e-mail_Active.bmp"), LinkTab(QStringLiteral("e-mail"), 30, true));
    add(QStringLiteral("homepage_Normal.bmp"), LinkTab(QStringLiteral("homepage"), 60, false));
    add(QStringLiteral("homepage_Active.bmp"), LinkTab(QStringLiteral("homepage"), 60, true));

    for (const char* piece : {"TopRight", "Right", "BottomLeft", "Bottom", "BottomRight"}) {
        add(QStringLiteral("Shadow_%1.bmp").arg(QLatin1String(piece)),
            Shadow(QLatin1String(piece)));
    }
    out += RoundFrame();
    return out;
}

QVector<TArtFile> TSkinArt::IconFiles() const {
    QVector<TArtFile> out;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        out.append({QStringLiteral("hedgerow-%1.png").arg(size), Icon(size)});
    return out;
}

QVector<TArtFile> TSkinArt::ResourceFiles() const {
    return {
        {QStringLiteral("item.png"), ItemImage(false)},
        {QStringLiteral("item_selected.png"), ItemImage(true)},
        {QStringLiteral("icon.png"), Icon(64)},
        {QStringLiteral("about.png"), About()},
    };
}
