#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "typeset/TVerticalPainter.h"

namespace {

const QRectF kPage(0, 0, 600, 800);

// A page of text drawn on white, with its geometry.
struct TDrawn {
    QImage image;
    TVerticalGeometry geometry{kPage, {}};
};

TDrawn Draw(const QString& text, bool manuscript = false) {
    TVerticalPages pages;
    pages.Add(QStringLiteral("第一章"), text);
    TVerticalStyle style;
    style.font = QFont(QStringLiteral("IPAMincho"));
    style.manuscript = manuscript;
    TDrawn drawn;
    drawn.image = QImage(kPage.size().toSize(), QImage::Format_RGB32);
    QPainter painter(&drawn.image);
    TVerticalPainter(pages, style).Paint(painter, kPage, 0);
    return drawn;
}

std::string Shown(const QRectF& rect) {
    return QStringLiteral("(%1, %2 %3×%4)")
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height())
        .toStdString();
}

bool IsInk(QRgb pixel) { return qGray(pixel) < 128; }

bool IsRule(QRgb pixel) { return qRed(pixel) > 180 && qRed(pixel) - qGreen(pixel) > 40; }

// The bounding box of the ink inside area.
QRect InkIn(const QImage& image, const QRectF& area) {
    QRect box;
    const QRect pixels = area.toAlignedRect().intersected(image.rect());
    for (int y = pixels.top(); y <= pixels.bottom(); ++y)
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            if (IsInk(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

TEST(VerticalPainter, PunctuationSitsInTheUpperRightQuarterOfItsCell) {
    const TDrawn drawn = Draw(QStringLiteral("あ、"));
    const QRectF cell = drawn.geometry.Cell(0, 1);
    const QRect ink = InkIn(drawn.image, cell);
    ASSERT_FALSE(ink.isEmpty());
    const QRectF quarter(cell.center().x(), cell.top(), cell.width() / 2, cell.height() / 2);
    EXPECT_TRUE(quarter.adjusted(-1, -1, 1, 1).contains(QRectF(ink)))
        << Shown(ink) << Shown(quarter);
}

TEST(VerticalPainter, BracketsAndLongMarksAreTurned) {
    // Upright, 「 is taller than wide; set for vertical writing it lies across the line
    // (as ﹁), and ー stands along it.
    const TDrawn drawn = Draw(QStringLiteral("「ー…"));
    const QRect bracket = InkIn(drawn.image, drawn.geometry.Cell(0, 0));
    const QRect bar = InkIn(drawn.image, drawn.geometry.Cell(0, 1));
    const QRect dots = InkIn(drawn.image, drawn.geometry.Cell(0, 2));
    EXPECT_GT(bracket.width(), bracket.height()) << Shown(bracket);
    EXPECT_GT(bar.height(), bar.width() * 3) << Shown(bar);
    EXPECT_GT(dots.height(), dots.width() * 2) << Shown(dots);

    QImage upright(100, 100, QImage::Format_RGB32);
    upright.fill(Qt::white);
    QPainter painter(&upright);
    QFont font(QStringLiteral("IPAMincho"));
    font.setPixelSize(80);
    painter.setFont(font);
    TVerticalPainter::DrawGlyph(painter, QFontMetricsF(font), QRectF(0, 0, 100, 100),
                                QStringLiteral("「"), {TGlyphForm::Upright}, false);
    painter.end();
    const QRect standing = InkIn(upright, upright.rect());
    EXPECT_GT(standing.height(), standing.width()) << Shown(standing);
}

TEST(VerticalPainter, RubyGoesRightOfItsBaseAndDotsBesideEachCharacter) {
    const TDrawn drawn = Draw(QStringLiteral("｜親文字《おやもじ》\n《《語る》》"));
    const QRectF base = drawn.geometry.Cell(0, 0).united(drawn.geometry.Cell(0, 2));
    const QRectF strip = drawn.geometry.RubyStrip(0, 0, 2);
    EXPECT_GE(strip.left(), base.right() - 0.5);
    const QRect reading = InkIn(drawn.image, strip);
    ASSERT_FALSE(reading.isEmpty());
    EXPECT_GT(reading.height(), base.height() / 2) << "the reading runs along the base";
    for (int cell : {0, 1}) {
        EXPECT_FALSE(InkIn(drawn.image, drawn.geometry.RubyStrip(1, cell, cell)).isEmpty());
        EXPECT_TRUE(InkIn(drawn.image, drawn.geometry.RubyStrip(2, cell, cell)).isEmpty());
    }
}

TEST(VerticalPainter, AReadingLongerThanItsBaseStaysOnItsLine) {
    const TDrawn drawn =
        Draw(QStringLiteral("｜親《") + QStringLiteral("よ").repeated(30) + QStringLiteral("》"));
    const QRectF line = drawn.geometry.RubyStrip(0, 0, 19);
    const double labelBottom = drawn.geometry.LabelArea().bottom();
    const QRectF above(line.left(), labelBottom, line.width(), line.top() - labelBottom - 1);
    EXPECT_TRUE(InkIn(drawn.image, above).isEmpty()) << "nothing over the top of the grid";
    EXPECT_FALSE(InkIn(drawn.image, line).isEmpty());
}

TEST(VerticalPainter, ManuscriptPaperRulesItsCellsInLightRed) {
    const TDrawn drawn = Draw(QString(), true);
    const TVerticalGeometry& geometry = drawn.geometry;
    auto ruledAlong = [&](double x, double top, double bottom) {
        int ruled = 0, all = 0;
        for (double y = top + 3; y < bottom - 3; y += 5, ++all)
            ruled += IsRule(drawn.image.pixel(static_cast<int>(x), static_cast<int>(y))) ? 1 : 0;
        return ruled * 10 >= all * 9;
    };
    for (int line : {0, 9, 10, 19}) {
        const QRectF cell = geometry.Cell(line, 0);
        const double bottom = geometry.Cell(line, 19).bottom();
        EXPECT_TRUE(ruledAlong(cell.left(), cell.top(), bottom)) << line;
        EXPECT_TRUE(ruledAlong(cell.right(), cell.top(), bottom)) << line;
        EXPECT_FALSE(ruledAlong(cell.center().x(), cell.top(), bottom)) << line;
    }
    const QRectF fold = geometry.Fold();
    EXPECT_TRUE(ruledAlong(fold.left(), fold.top(), fold.bottom()));
    EXPECT_LT(geometry.Cell(10, 0).right(), fold.left() + 0.5) << "the fold between the halves";
    EXPECT_TRUE(IsRule(drawn.image.pixel(geometry.Cell(3, 5).center().x(),
                                         static_cast<int>(geometry.Cell(3, 5).top()))));
    // A plain page has no rules.
    const TDrawn plain = Draw(QString());
    EXPECT_FALSE(IsRule(plain.image.pixel(static_cast<int>(geometry.Cell(0, 0).left()),
                                          static_cast<int>(geometry.Cell(0, 0).center().y()))));
}

}  // namespace
