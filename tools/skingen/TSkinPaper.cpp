#include "TSkinPaper.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <vector>

namespace {

const QColor kPaper(243, 241, 236);
const QColor kPaperDot(219, 214, 205);
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

// c with a share t of the shadow colour.
QColor Shade(const QColor& c, double t) {
    return QColor(int(std::lround(c.red() * (1 - t) + kShadow.red() * t)),
                  int(std::lround(c.green() * (1 - t) + kShadow.green() * t)),
                  int(std::lround(c.blue() * (1 - t) + kShadow.blue() * t)));
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

double Phi(double z) { return 0.5 * std::erfc(-z / std::sqrt(2.0)); }

}  // namespace

QColor TSkinPaper::Base() { return kPaper; }

QColor TSkinPaper::PaperAt(int x, int y, int scale) {
    const int tile = 100 * scale;
    const int tx = ((x % tile) + tile) % tile;
    const int ty = ((y % tile) + tile) % tile;
    // A faint dot grid; the top 15 rows of the tile stay free of dots because
    // the hint line stretches them across the window.
    if ((tx / scale) % 20 == 17 && (ty / scale) % 20 == 17) return kPaperDot;
    return Grain(kPaper, tx, ty);
}

void TSkinPaper::SmoothHints(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QImage TSkinPaper::NewImage(int w, int h) const {
    QImage img(w * scale_, h * scale_, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(scale_);
    return img;
}

QImage TSkinPaper::Blank(int w, int h, const QColor& fill) const {
    QImage img = NewImage(w, h);
    img.fill(fill);
    return img;
}

QImage TSkinPaper::Patch(int ax, int ay, int w, int h) const {
    QImage img = NewImage(w, h);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x)
            img.setPixelColor(x, y, PaperAt(ax * scale_ + x, ay * scale_ + y, scale_));
    }
    return img;
}

QImage TSkinPaper::Flat(int w, int h) const {
    QImage img = NewImage(w, h);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x)
            img.setPixelColor(x, y, Grain(kPaper, x + 31, y + 57));
    }
    return img;
}

void TSkinPaper::SoftShadow(QImage& img, const QPainterPath& shape, QPointF offset, int radius,
                            double opacity) const {
    QImage mask(img.size(), QImage::Format_ARGB32_Premultiplied);
    mask.setDevicePixelRatio(img.devicePixelRatio());
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        SmoothHints(p);
        p.translate(offset);
        p.fillPath(shape, Qt::black);
    }
    const int w = img.width();
    const int h = img.height();
    std::vector<float> a(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) a[y * w + x] = qAlpha(mask.pixel(x, y)) / 255.0f;
    }
    BlurMask(a, w, h, radius * scale_);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            img.setPixelColor(x, y, Shade(img.pixelColor(x, y), a[y * w + x] * opacity));
    }
}

QImage TSkinPaper::ShadowPiece(const QString& piece) const {
    // A rectangle offset 3 pixels down and right, blurred with sigma 4.5:
    // each piece is the matching part of its soft edge over the paper. The
    // edge is sampled at the centre of every device pixel.
    const double d = 3.0;
    const double sigma = 4.5;
    const double strength = 0.30;
    const double s = scale_;
    auto falling = [&](int i) { return 1.0 - Phi(((i + 0.5) / s - d) / sigma); };
    auto rising = [&](int i) { return Phi(((i + 0.5) / s - d) / sigma); };
    int w = 20;
    int h = 20;
    if (piece == QLatin1String("Right")) h = 10;
    if (piece == QLatin1String("Bottom")) w = 10;
    QImage img = NewImage(w, h);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
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
            img.setPixelColor(x, y, Shade(kPaper, strength * sx * sy));
        }
    }
    return img;
}
