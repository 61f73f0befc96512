#include "skin/TSkinPainter.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtMath>

#include "platform/AppError.h"

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kMenuBand = 0xFF4D4D4D;  // red 77, green 77, blue 77

// The platform's rectangle outline: a 1-pixel line on the inside of
// [left, right) x [top, bottom).
void Outline(QPainter& painter, const QRect& r, QRgb colour) {
    if (r.width() <= 0 || r.height() <= 0) return;
    const QColor c = QColor::fromRgb(colour);
    painter.fillRect(QRect(r.x(), r.y(), r.width(), 1), c);
    painter.fillRect(QRect(r.x(), r.y() + r.height() - 1, r.width(), 1), c);
    painter.fillRect(QRect(r.x(), r.y(), 1, r.height()), c);
    painter.fillRect(QRect(r.x() + r.width() - 1, r.y(), 1, r.height()), c);
}

void FillAndOutline(QPainter& painter, const QRect& r, QRgb colour) {
    painter.fillRect(r, QColor::fromRgb(colour));
    Outline(painter, r, colour);
}

}  // namespace

TSkinPainter::TSkinPainter(QString dataDir) : dataDir_(std::move(dataDir)) {
    if (!dataDir_.isEmpty() && !dataDir_.endsWith(QLatin1Char('/'))) {
        dataDir_ += QLatin1Char('/');
    }
}

QString TSkinPainter::PathOf(const QString& fileName) const { return PathIn(dataDir_, fileName); }

QString TSkinPainter::PathIn(const QString& folder, const QString& fileName) {
    QString exact = folder + fileName;
    if (QFileInfo::exists(exact)) return exact;
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0) return folder + entry;
    }
    return exact;
}

QImage TSkinPainter::NewSurface(int W, int H, qreal ratio) {
    QImage surface(qCeil(W * ratio), qCeil(H * ratio), QImage::Format_RGB32);
    surface.setDevicePixelRatio(ratio);
    return surface;
}

void TSkinPainter::PreparePainter(QPainter& painter) const {
    // Between whole ratios the bitmaps are resampled: smoothly, so that thin lines keep
    // their weight and the tiles of a band blend where they meet instead of stepping.
    const bool whole = ratio_ == BitmapScaleFor(ratio_);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !whole);
}

QImage TSkinPainter::LoadDense(const QString& fileName) const {
    const int scale = BitmapScaleFor(ratio_);
    if (scale == 1) return {};
    const QString path = PathIn(dataDir_ + QString::number(scale) + QStringLiteral("x/"), fileName);
    if (!QFileInfo(path).isFile()) return {};
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (!image.isNull()) image.setDevicePixelRatio(scale);
    return image;
}

QImage TSkinPainter::Load(const QString& fileName) const {
    ++filesRead_;
    QImage dense = LoadDense(fileName);
    if (!dense.isNull()) return dense;
    const QString path = PathOf(fileName);
    if (!QFileInfo(path).isFile()) throw AppError::CannotOpen(QDir::toNativeSeparators(path));
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead()) {
        if (!QFileInfo(path).isReadable()) {
            throw AppError::CannotOpen(QDir::toNativeSeparators(path));
        }
        throw AppError(QStringLiteral("ビットマップイメージが不正です"));
    }
    QImage image = reader.read();
    if (image.isNull()) throw AppError(QStringLiteral("ビットマップイメージが不正です"));
    return image;
}

QRect TSkinPainter::DrawAt(QPainter& painter, const QString& fileName, QPoint at) const {
    const QImage image = Load(fileName);
    painter.drawImage(at, image);
    return QRect(at, image.deviceIndependentSize().toSize());
}

QImage TSkinPainter::Compose(const TSkinScene& s) const {
    const int W = s.W;
    const int H = s.H;
    QImage composite = NewSurface(W, H, ratio_);
    composite.fill(Qt::white);
    QPainter p(&composite);
    PreparePainter(p);

    // Background tiles, row by row from the top.
    {
        const QImage back = Load(QStringLiteral("Back.bmp"));
        for (const QPoint& at : TSkinLayout::BackgroundTiles(W, H)) p.drawImage(at, back);
    }

    DrawAt(p, QStringLiteral("Title.bmp"), TSkinLayout::TitlePos(W));

    // Drop shadows, the outline's first. Each of the five files is read once
    // per control.
    for (const QRect& control : {s.Tree, s.Editor}) {
        QString current;
        QImage image;
        for (const TSkinPlacement& piece : TSkinLayout::ShadowPlacements(control)) {
            if (piece.File != current) {
                image = Load(piece.File);
                current = piece.File;
            }
            if (piece.Stretch.isNull()) {
                p.drawImage(piece.At, image);
            } else if (piece.Stretch.width() > 0 && piece.Stretch.height() > 0) {
                p.drawImage(piece.Stretch, image);
            }
        }
    }

    for (SkinCode code : TSkinLayout::ButtonDrawOrder()) {
        DrawElement(p, code, TSkinLook::Normal, W, H, s.State);
    }

    // Rounded frame: consecutive pieces of one file share one read, so each
    // of its six files is read once.
    {
        QString current;
        QImage image;
        for (const TSkinPlacement& piece : TSkinLayout::RoundFramePlacements()) {
            if (piece.File != current) {
                image = Load(piece.File);
                current = piece.File;
            }
            p.drawImage(piece.At, image);
        }
    }

    FillAndOutline(p, TSkinLayout::TitleBand(W), kBlack);
    DrawTitleBar(p, s.Active);
    DrawElement(p, SkinCode::Minimize, TSkinLook::Normal, W, H, s.State);
    DrawElement(p, SkinCode::Maximize, TSkinLook::Normal, W, H, s.State);
    DrawElement(p, SkinCode::Close, TSkinLook::Normal, W, H, s.State);

    FillAndOutline(p, TSkinLayout::MenuBand(W), kMenuBand);
    for (SkinCode code : TSkinLayout::MenuTitleCodes()) {
        DrawElement(p, code, TSkinLook::Normal, W, H, s.State);
    }

    for (const QRect& r : TSkinLayout::BorderRects(W, H)) Outline(p, r, kBlack);

    DrawElement(p, SkinCode::EMail, TSkinLook::Normal, W, H, s.State);
    DrawElement(p, SkinCode::Homepage, TSkinLook::Normal, W, H, s.State);
    p.end();
    return composite;
}

QRect TSkinPainter::DrawElement(QPainter& painter, SkinCode code, TSkinLook look, int W, int H,
                                TWindowState state) const {
    const TSkinElement e = TSkinLayout::Element(code, W, H, state);
    if (e.Code == SkinCode::None) return {};
    if (code == SkinCode::Maximize && state == TWindowState::Minimized) return {};
    return DrawAt(painter, TSkinLayout::LookFile(e, look), e.DrawnAt);
}

void TSkinPainter::DrawTitleBar(QPainter& painter, bool active) const {
    DrawAt(painter,
           active ? QStringLiteral("TitleBar_Active.bmp") : QStringLiteral("TitleBar_Deactive.bmp"),
           TSkinLayout::TitleBarPos());
}

void TSkinPainter::DrawHintBand(QPainter& painter, int W, int H) const {
    const QImage back = Load(QStringLiteral("Back.bmp"));
    const int rows = qRound(15 * back.devicePixelRatio());
    const QImage strip = back.copy(0, 0, back.width(), qMin(rows, back.height()));
    painter.drawImage(TSkinLayout::HintBand(W, H), strip);
}
