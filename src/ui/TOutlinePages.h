#pragma once

#include <QFont>
#include <QPageLayout>
#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

#include "interchange/TOutlineEntry.h"

class QPainter;
class QTextLayout;

// The outline set on pages, laid out a page at a time and only as far as asked: each
// item's label as a heading that shows its level (numbered like "2.1.3", larger for the
// upper levels, indented by level), its text below in the given font with its line
// breaks, long lines wrapped anywhere (Japanese has no spaces to break at), and "n / N"
// under every page. A line is never cut at a page's edge: one that does not fit goes
// to the next page whole.
//
// Lengths are in layout pixels (96 per inch) and painted scaled, with the fonts' design
// metrics, so that the pages break alike on the screen, a printer and a PDF. Each page is
// laid out from where it begins alone: a page can be painted, or the next one found,
// without the pages before it being laid out again.
//
// Needs no window; one object is used by one thread at a time, copies by any.
class TOutlinePages {
  public:
    // Where a page begins: an entry, its heading or its text, and the character there.
    struct Start {
        qsizetype entry = 0;
        bool body = false;
        qsizetype at = 0;

        bool operator==(const Start&) const = default;
    };
    // A line as laid out on its page.
    struct Line {
        QString text;
        QRectF rect;
    };

    // font: sized in points; layout: the paper, its margins and orientation.
    TOutlinePages(const TOutlineEntries& entries, const QFont& font, const QPageLayout& layout);

    // The printable area in layout pixels: the lines' area with the footer below it.
    QSizeF PageSize() const { return {body_.width(), body_.height() + footer_}; }
    // The height the lines may fill.
    qreal BodyHeight() const { return body_.height(); }

    // Lays out the pages up to page (0-based) if they are not yet; returns whether the
    // outline has that page.
    bool Reach(int page);
    // Lays out the last page known to find where the next one begins; returns false when
    // there is none, every page being known then.
    bool LayOutNext();
    // Whether every page is known, and so their count.
    bool Complete() const { return complete_; }
    // The pages known so far; all of them once Complete.
    int KnownPages() const { return static_cast<int>(starts_.size()); }
    const std::vector<Start>& Starts() const { return starts_; }
    // Takes over pages another copy laid out (of the same outline on the same pages).
    void Adopt(const std::vector<Start>& starts, bool complete);

    // Paints a known page at the painter's origin in layout pixels, its footer reading
    // "n / total", or "n / …" while total is 0.
    void Paint(QPainter& painter, int page, int total) const;
    // The lines of a known page with their places.
    std::vector<Line> Lines(int page) const;

    const TOutlineEntries& Entries() const { return entries_; }
    const QFont& Font() const { return font_; }
    const QPageLayout& Layout() const { return layout_; }

    static constexpr qreal kLayoutDpi = 96;

  private:
    struct Paragraph;
    // Told of each layout with the number of its lines that stand on the page.
    using Placed = std::function<void(const QTextLayout& layout, int lines)>;

    // Lays out the page beginning at start; returns where the next one begins.
    Start LayOutPage(Start start, const Placed& placed) const;
    Paragraph ParagraphAt(const Start& start) const;
    void PaintFooter(QPainter& painter, const QString& text) const;
    bool AtEnd(const Start& start) const { return start.entry >= entries_.size(); }

    TOutlineEntries entries_;
    QFont font_;
    QPageLayout layout_;
    QRectF body_;
    qreal footer_ = 0;
    qreal em_ = 0;
    // Resolved for the layout's 96 dpi: the text's font and the headings' of levels 1 to 4.
    QFont textFont_;
    std::array<QFont, 4> headingFonts_;
    QStringList headings_;  // "2.1.3  label"
    std::vector<Start> starts_;
    bool complete_ = false;
};
