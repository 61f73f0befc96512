#include "ui/TOutlinePages.h"

#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// A paragraph longer than this is laid out a piece at a time: a page takes a few
// thousand characters at most, and laying out a whole long line for each page it fills
// would take time in proportion to its length.
constexpr qsizetype kPiece = 1 << 14;

// How much larger than the text a heading of the level is set.
qreal HeadingScale(int level) {
    switch (level) {
        case 1: return 1.6;
        case 2: return 1.35;
        case 3: return 1.15;
        default: return 1.0;
    }
}

// "2.1.3  label": the item's place among its siblings on every level down to its own.
QStringList Headings(const TOutlineEntries& entries) {
    QStringList headings;
    headings.reserve(entries.size());
    std::vector<int> counts;
    for (const TOutlineEntry& entry : entries) {
        counts.resize(static_cast<size_t>(std::max(entry.level, 1)), 0);
        ++counts.back();
        QString heading;
        for (const int count : counts) {
            if (!heading.isEmpty()) heading += u'.';
            heading += QString::number(count);
        }
        headings << heading + QStringLiteral("  ") + entry.label;
    }
    return headings;
}

// The lines of a paragraph's text, from its start, that stand on the page.
struct Fitted {
    std::unique_ptr<QTextLayout> layout;
    int lines = 0;
    bool whole = true;   // every line stands on the page
    qsizetype next = 0;  // when not: where the first line that does not begins
    qreal bottom = 0;
};

// Lays text out in lines of width from top down, as far as they fit above height; the
// first line of an empty page stands there even when it is taller than the page.
Fitted FitLines(const QString& text, const QFont& font, qreal indent, qreal width, qreal top,
                qreal height, bool emptyPage) {
    Fitted fitted;
    fitted.layout = std::make_unique<QTextLayout>(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    fitted.layout->setTextOption(option);
    fitted.layout->beginLayout();
    qreal y = top;
    for (QTextLine line = fitted.layout->createLine(); line.isValid();
         line = fitted.layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        if (y + line.height() > height && !(emptyPage && fitted.lines == 0)) {
            fitted.whole = false;
            fitted.next = line.textStart();
            break;
        }
        line.setPosition(QPointF(indent, y));
        y += line.height();
        ++fitted.lines;
    }
    fitted.layout->endLayout();
    fitted.bottom = y;
    return fitted;
}

}  // namespace

struct TOutlinePages::Paragraph {
    QString text;  // from the page's start on
    const QFont* font = nullptr;
    qreal indent = 0;
    qreal spaceBefore = 0;
    qreal spaceAfter = 0;
    Start next;  // where the paragraph after it begins
};

TOutlinePages::TOutlinePages(const TOutlineEntries& entries, const QFont& font,
                             const QPageLayout& layout)
    : entries_(entries), font_(font), layout_(layout), headings_(Headings(entries)) {
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(qRound(kLayoutDpi / 0.0254));
    device.setDotsPerMeterY(qRound(kLayoutDpi / 0.0254));
    textFont_ = QFont(font_, &device);
    em_ = font_.pointSizeF() > 0 ? font_.pointSizeF() * kLayoutDpi / 72.0 : font_.pixelSize();
    for (int level = 1; level <= int(headingFonts_.size()); ++level) {
        QFont heading = font_;
        heading.setBold(true);
        if (font_.pointSizeF() > 0) heading.setPointSizeF(font_.pointSizeF() * HeadingScale(level));
        headingFonts_[size_t(level - 1)] = QFont(heading, &device);
    }
    // Whole pixels, so that the pages break alike however the paper's size is rounded.
    const QSizeF paper = layout_.paintRect(QPageLayout::Point).size() * (kLayoutDpi / 72.0);
    footer_ = 2.5 * em_;
    body_ = QRectF(0, 0, std::floor(paper.width()), std::floor(paper.height() - footer_));
    starts_.push_back(Start{});
}

TOutlinePages::Paragraph TOutlinePages::ParagraphAt(const Start& start) const {
    const TOutlineEntry& entry = entries_[start.entry];
    Paragraph paragraph;
    paragraph.indent = 2 * em_ * (std::clamp(entry.level, 1, 9) - 1);
    if (!start.body) {
        paragraph.text = headings_[start.entry].mid(start.at);
        paragraph.font = &headingFonts_[size_t(std::clamp(entry.level, 1, 4) - 1)];
        if (start.at == 0) paragraph.spaceBefore = 1.2 * em_;
        paragraph.spaceAfter = 0.3 * em_;
        paragraph.next =
            entry.text.isEmpty() ? Start{start.entry + 1, false, 0} : Start{start.entry, true, 0};
        return paragraph;
    }
    const qsizetype end = entry.text.indexOf(u'\n', start.at);
    paragraph.text = entry.text.mid(start.at, (end < 0 ? entry.text.size() : end) - start.at);
    paragraph.font = &textFont_;
    paragraph.next = end < 0 ? Start{start.entry + 1, false, 0} : Start{start.entry, true, end + 1};
    return paragraph;
}

TOutlinePages::Start TOutlinePages::LayOutPage(Start start, const Placed& placed) const {
    qreal y = 0;
    bool empty = true;
    while (!AtEnd(start)) {
        const Paragraph paragraph = ParagraphAt(start);
        if (!empty) y += paragraph.spaceBefore;
        const qreal width = std::max(body_.width() - paragraph.indent, 4 * em_);
        Fitted fitted;
        // A piece of a long paragraph serves when the page ends before the piece does;
        // its last line may be broken short only because the piece ends there.
        for (qsizetype piece = kPiece;; piece *= 2) {
            const bool cut = paragraph.text.size() > piece;
            fitted = FitLines(cut ? paragraph.text.first(piece) : paragraph.text, *paragraph.font,
                              paragraph.indent, width, y, body_.height(), empty);
            if (!cut || !fitted.whole) break;
        }
        if (placed && fitted.lines > 0) placed(*fitted.layout, fitted.lines);
        if (!fitted.whole) return {start.entry, start.body, start.at + fitted.next};
        y = fitted.bottom + paragraph.spaceAfter;
        empty = false;
        start = paragraph.next;
    }
    return start;
}

bool TOutlinePages::LayOutNext() {
    if (complete_) return false;
    const Start next = LayOutPage(starts_.back(), {});
    complete_ = AtEnd(next);
    if (complete_) return false;
    starts_.push_back(next);
    return true;
}

bool TOutlinePages::Reach(int page) {
    while (KnownPages() <= page && LayOutNext()) {
    }
    return page >= 0 && page < KnownPages();
}

void TOutlinePages::Adopt(const std::vector<Start>& starts, bool complete) {
    if (starts.size() > starts_.size())
        starts_.insert(starts_.end(), starts.begin() + qsizetype(starts_.size()), starts.end());
    complete_ = complete_ || (complete && starts.size() == starts_.size());
}

void TOutlinePages::Paint(QPainter& painter, int page, int total) const {
    LayOutPage(starts_.at(size_t(page)), [&](const QTextLayout& layout, int lines) {
        for (int i = 0; i < lines; ++i) layout.lineAt(i).draw(&painter, QPointF());
    });
    PaintFooter(painter, total > 0 ? QStringLiteral("%1 / %2").arg(page + 1).arg(total)
                                   : QStringLiteral("%1 / …").arg(page + 1));
}

void TOutlinePages::PaintFooter(QPainter& painter, const QString& text) const {
    QTextLayout layout(text, textFont_);
    QTextOption option(Qt::AlignHCenter);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(body_.width());
    line.setPosition(QPointF(0, PageSize().height() - line.height()));
    layout.endLayout();
    layout.draw(&painter, QPointF());
}

std::vector<TOutlinePages::Line> TOutlinePages::Lines(int page) const {
    std::vector<Line> lines;
    LayOutPage(starts_.at(size_t(page)), [&](const QTextLayout& layout, int count) {
        for (int i = 0; i < count; ++i) {
            const QTextLine line = layout.lineAt(i);
            lines.push_back({layout.text().mid(line.textStart(), line.textLength()), line.rect()});
        }
    });
    return lines;
}
