#pragma once

#include <QColor>
#include <QFont>
#include <QRawFont>
#include <QRectF>
#include <optional>

#include "typeset/TVerticalGeometry.h"
#include "typeset/TVerticalPages.h"

class QFontMetricsF;
class QPainter;

// How vertical pages are drawn.
struct TVerticalStyle {
    QFont font;              // the characters' face; its size follows the cells
    bool manuscript = true;  // the cells and the fold drawn as manuscript paper
    QColor ink = Qt::black;
    QColor paper = Qt::white;
    QColor rule = QColor(232, 128, 128);  // the light red of printed manuscript paper
    QColor marked = QColor(64, 112, 255, 72);
};

// Draws a page of TVerticalPages with QPainter on any paint device (a widget, a printer,
// a PDF, an image): its cells or a plain page, the characters in their vertical forms,
// ruby and emphasis dots, the item's label and "12 / 85" in the margins.
class TVerticalPainter {
  public:
    TVerticalPainter(const TVerticalPages& pages, TVerticalStyle style);

    const TVerticalStyle& Style() const { return style_; }
    // Draws page into rect of painter's device; marks the cell at marked (a place in the
    // page's item) when it lies on the page.
    void Paint(QPainter& painter, const QRectF& rect, int page,
               std::optional<TCellPlace> marked = std::nullopt) const;

    // Draws text (one cell's character) in the form given, centred on box.
    static void DrawGlyph(QPainter& painter, const QFontMetricsF& metrics, const QRectF& box,
                          const QString& text, TGlyphChoice glyph, bool hasVerticalForm);

  private:
    struct TFonts;

    void PaintGrid(QPainter& painter, const TVerticalGeometry& geometry) const;
    void PaintCells(QPainter& painter, const TVerticalGeometry& geometry, const TFonts& fonts,
                    const TVerticalText& text, int firstLine) const;
    void PaintMarks(QPainter& painter, const TVerticalGeometry& geometry, const TFonts& fonts,
                    const TVerticalText& text, int firstLine) const;
    void PaintMargins(QPainter& painter, const TVerticalGeometry& geometry, int page,
                      const QString& label) const;
    bool HasVerticalForm(char16_t form) const;

    const TVerticalPages& pages_;
    TVerticalStyle style_;
    QRawFont raw_;
};
