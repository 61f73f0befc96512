#include "typeset/TVerticalPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// Sizes of the type against the cell.
constexpr double kCharacter = 0.82;
constexpr double kRuby = 0.46;
constexpr double kMargin = 0.45;

constexpr char16_t kSesame = u'\uFE45';

QFont Sized(QFont font, double pixels) {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return font;
}

// Draws text with its advance and its line's height centred on centre.
void DrawCentred(QPainter& painter, const QFontMetricsF& metrics, const QPointF& centre,
                 const QString& text) {
    const double width = metrics.horizontalAdvance(text);
    const double baseline = centre.y() + (metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(QPointF(centre.x() - width / 2, baseline), text);
}

// Turned 90° clockwise about the centre of box.
void DrawTurned(QPainter& painter, const QFontMetricsF& metrics, const QRectF& box,
                const QString& text) {
    painter.save();
    painter.translate(box.center());
    painter.rotate(90);
    DrawCentred(painter, metrics, {}, text);
    painter.restore();
}

}  // namespace

struct TVerticalPainter::TFonts {
    TFonts(const QFont& face, double cell, QPaintDevice* device)
        : character(Sized(face, cell * kCharacter)),
          ruby(Sized(face, cell * kRuby)),
          characterMetrics(character, device),
          rubyMetrics(ruby, device) {}

    QFont character;
    QFont ruby;
    QFontMetricsF characterMetrics;
    QFontMetricsF rubyMetrics;
};

TVerticalPainter::TVerticalPainter(const TVerticalPages& pages, TVerticalStyle style)
    : pages_(pages), style_(std::move(style)), raw_(QRawFont::fromFont(style_.font)) {}

bool TVerticalPainter::HasVerticalForm(char16_t form) const {
    return form != 0 && raw_.isValid() && raw_.supportsCharacter(QChar(form));
}

void TVerticalPainter::Paint(QPainter& painter, const QRectF& rect, int page,
                             std::optional<TCellPlace> marked) const {
    const TVerticalPages::TPage at = pages_.Page(page);
    const TVerticalGeometry geometry(rect, pages_.Options().grid);
    painter.save();
    painter.fillRect(rect, style_.paper);
    if (style_.manuscript) PaintGrid(painter, geometry);
    const TFonts fonts(style_.font, geometry.CellSize(), painter.device());
    // Items without characters have no pages: the sheet shown for them still names the
    // first.
    const int named = at.item >= 0 ? at.item : (pages_.Items() > 0 ? 0 : -1);
    const QString label = named >= 0 ? pages_.Item(named).label : QString();
    if (at.item >= 0) {
        const TVerticalText& text = pages_.Item(at.item).text;
        const int firstLine = pages_.FirstLineOf(page);
        const int line = marked ? marked->line - firstLine : -1;
        if (line >= 0 && line < pages_.Options().grid.rows)
            painter.fillRect(geometry.Cell(line, marked->cell), style_.marked);
        PaintCells(painter, geometry, fonts, text, firstLine);
        PaintMarks(painter, geometry, fonts, text, firstLine);
    }
    PaintMargins(painter, geometry, page, label);
    painter.restore();
}

void TVerticalPainter::PaintGrid(QPainter& painter, const TVerticalGeometry& geometry) const {
    const TGridSize grid = pages_.Options().grid;
    const double cell = geometry.CellSize();
    painter.setPen(QPen(style_.rule, std::max(1.0, cell / 32)));
    painter.setBrush(Qt::NoBrush);
    for (int line = 0; line < grid.rows; ++line) {
        const QRectF first = geometry.Cell(line, 0);
        painter.drawLine(QPointF(first.left(), first.top()),
                         QPointF(first.left(), first.top() + grid.columns * cell));
        painter.drawLine(QPointF(first.right(), first.top()),
                         QPointF(first.right(), first.top() + grid.columns * cell));
        for (int k = 1; k < grid.columns; ++k) {
            const double y = first.top() + k * cell;
            painter.drawLine(QPointF(first.left(), y), QPointF(first.right(), y));
        }
    }
    const QRectF fold = geometry.Fold();
    if (!fold.isEmpty()) {
        painter.drawRect(fold);
        // The fish tail (魚尾) that marks where the sheet is folded.
        const double y = fold.top() + fold.height() / 6;
        QPainterPath tail;
        tail.moveTo(fold.left(), y);
        tail.lineTo(fold.right(), y);
        tail.lineTo(fold.right(), y + fold.width() * 0.6);
        tail.lineTo(fold.center().x(), y + fold.width() * 0.3);
        tail.lineTo(fold.left(), y + fold.width() * 0.6);
        tail.closeSubpath();
        painter.fillPath(tail, style_.rule);
    }
    painter.setPen(QPen(style_.rule, std::max(1.5, cell / 16)));
    painter.drawRect(geometry.Grid());
}

void TVerticalPainter::PaintCells(QPainter& painter, const TVerticalGeometry& geometry,
                                  const TFonts& fonts, const TVerticalText& text,
                                  int firstLine) const {
    painter.setFont(fonts.character);
    painter.setPen(style_.ink);
    const int rows = pages_.Options().grid.rows;
    const QString& characters = text.Text();
    for (int line = 0; line < rows; ++line) {
        for (const TVerticalCell& cell : text.CellsOfLine(firstLine + line)) {
            if (cell.glyph.form == TGlyphForm::Blank) continue;
            DrawGlyph(painter, fonts.characterMetrics, geometry.Cell(line, cell.cell),
                      characters.mid(cell.offset, cell.length), cell.glyph,
                      HasVerticalForm(cell.glyph.verticalForm));
        }
    }
}

void TVerticalPainter::PaintMarks(QPainter& painter, const TVerticalGeometry& geometry,
                                  const TFonts& fonts, const TVerticalText& text,
                                  int firstLine) const {
    painter.setFont(fonts.ruby);
    const int rows = pages_.Options().grid.rows;
    const double size = fonts.rubyMetrics.height();
    const bool sesame = raw_.isValid() && raw_.supportsCharacter(QChar(kSesame));
    const QString& characters = text.Text();
    for (const TVerticalMark& mark : text.Marks()) {
        const int line = mark.line - firstLine;
        if (line < 0 || line >= rows) continue;
        const QRectF strip = geometry.RubyStrip(line, mark.firstCell, mark.lastCell);
        if (mark.emphasis) {
            if (sesame) {
                DrawCentred(painter, fonts.rubyMetrics, strip.center(), QString(QChar(kSesame)));
            } else {
                painter.setBrush(style_.ink);
                painter.drawEllipse(strip.center(), strip.width() / 6, strip.width() / 6);
            }
            continue;
        }
        // The reading's characters one under another, centred on the base; a reading longer
        // than its base stays within its line, closer set when longer than the line.
        const qsizetype count = mark.readingEnd - mark.readingBegin;
        const double lineTop = geometry.Cell(line, 0).top();
        const double lineBottom = geometry.Cell(line, pages_.Options().grid.columns - 1).bottom();
        const double step = std::min(size, (lineBottom - lineTop) / std::max<qsizetype>(count, 1));
        double y = std::clamp(strip.center().y() - count * step / 2, lineTop,
                              std::max(lineTop, lineBottom - count * step));
        for (qsizetype i = mark.readingBegin; i < mark.readingEnd; ++i, y += step) {
            const QRectF box(strip.left(), y, strip.width(), step);
            DrawGlyph(painter, fonts.rubyMetrics, box, characters.mid(i, 1),
                      TVerticalGlyphs::Of(characters, i, 1), false);
        }
    }
}

void TVerticalPainter::PaintMargins(QPainter& painter, const TVerticalGeometry& geometry, int page,
                                    const QString& label) const {
    painter.setFont(Sized(style_.font, geometry.CellSize() * kMargin));
    painter.setPen(style_.ink);
    painter.drawText(geometry.LabelArea(), Qt::AlignRight | Qt::AlignBottom, label);
    const int count = pages_.Count();
    const QString number = QStringLiteral("%1 / %2").arg(count > 0 ? page + 1 : 0).arg(count);
    painter.drawText(geometry.NumberArea(), Qt::AlignHCenter | Qt::AlignVCenter, number);
}

void TVerticalPainter::DrawGlyph(QPainter& painter, const QFontMetricsF& metrics, const QRectF& box,
                                 const QString& text, TGlyphChoice glyph, bool hasVerticalForm) {
    switch (glyph.form) {
        case TGlyphForm::Blank: return;
        case TGlyphForm::Corner: {
            // The ink's centre on the centre of the upper right quarter.
            const QRectF ink = metrics.tightBoundingRect(text);
            const QPointF target = box.center() + QPointF(box.width() / 4, -box.height() / 4);
            painter.drawText(target - ink.center(), text);
            return;
        }
        case TGlyphForm::Small:
            DrawCentred(painter, metrics, box.center() + QPointF(box.width(), -box.height()) / 10,
                        text);
            return;
        case TGlyphForm::Turned:
            if (hasVerticalForm)
                DrawCentred(painter, metrics, box.center(), QString(QChar(glyph.verticalForm)));
            else
                DrawTurned(painter, metrics, box, text);
            return;
        case TGlyphForm::Sideways: DrawTurned(painter, metrics, box, text); return;
        case TGlyphForm::AcrossLine: {
            // Narrowed to the cell's width when it is wider.
            const double width = metrics.horizontalAdvance(text);
            const double scale = std::min(1.0, box.width() * 0.92 / width);
            painter.save();
            painter.translate(box.center());
            painter.scale(scale, 1);
            DrawCentred(painter, metrics, {}, text);
            painter.restore();
            return;
        }
        case TGlyphForm::Upright: DrawCentred(painter, metrics, box.center(), text); return;
    }
}
