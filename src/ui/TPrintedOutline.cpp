#include "ui/TPrintedOutline.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <cmath>
#include <vector>

#include "platform/AppError.h"
#include "platform/SystemReason.h"

namespace {

// More than the layout's rounding of a line's place, far less than a line.
constexpr qreal kSlack = 0.5;

// How much larger than the text a heading of the level is set.
qreal HeadingScale(int level) {
    switch (level) {
        case 1: return 1.6;
        case 2: return 1.35;
        case 3: return 1.15;
        default: return 1.0;
    }
}

// "2.1.3": the item's place among its siblings on every level down to its own.
class OutlineNumbers {
  public:
    QString Next(int level) {
        counts_.resize(static_cast<size_t>(level), 0);
        ++counts_.back();
        QStringList parts;
        for (const int count : counts_) parts << QString::number(count);
        return parts.join(u'.');
    }

  private:
    std::vector<int> counts_;
};

}  // namespace

TPrintedOutline::TPrintedOutline(const TOutlineEntries& entries, const QFont& font)
    : entries_(entries), font_(font) {
    document_.setDefaultFont(font_);
    QTextOption option = document_.defaultTextOption();
    // Japanese has no spaces to break at: a line breaks anywhere rather than run off the
    // page.
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document_.setDefaultTextOption(option);
    // Each page keeps a little room at its top and bottom edges, so that a line pushed to
    // the next page stands clear of the edge and is painted on that page only.
    document_.setDocumentMargin(2);
    // Laid out at a low resolution and painted scaled up: the layout's coordinates are
    // fixed-point numbers that run out at 2^25 pixels, some 2,500 pages at a printer's
    // 1,200 dpi. Design metrics keep the glyphs' places true when scaled.
    document_.setUseDesignMetrics(true);
    layoutDevice_.setDotsPerMeterX(qRound(kLayoutDpi / 0.0254));
    layoutDevice_.setDotsPerMeterY(qRound(kLayoutDpi / 0.0254));
    document_.documentLayout()->setPaintDevice(&layoutDevice_);
}

void TPrintedOutline::Compose() {
    document_.clear();
    // A document with a page size lays out again what every insertion changes; without
    // one (a null size) it is laid out once, for the pages, after it is composed.
    document_.setPageSize(QSizeF(0, 0));
    QTextCursor cursor(&document_);
    OutlineNumbers numbers;
    // Lengths in the layout's pixels.
    const qreal em = font_.pointSizeF() * kLayoutDpi / 72.0;
    const qreal indentStep = 2 * em;
    bool first = true;
    for (const TOutlineEntry& entry : entries_) {
        QTextBlockFormat heading;
        heading.setLeftMargin(indentStep * (std::min(entry.level, 9) - 1));
        heading.setTopMargin(first ? 0 : 1.2 * em);
        heading.setBottomMargin(0.3 * em);
        QTextCharFormat headingText;
        QFont headingFont = font_;
        headingFont.setBold(true);
        if (font_.pointSizeF() > 0)
            headingFont.setPointSizeF(font_.pointSizeF() * HeadingScale(entry.level));
        headingText.setFont(headingFont);
        if (first)
            cursor.setBlockFormat(heading);
        else
            cursor.insertBlock(heading);
        cursor.insertText(numbers.Next(entry.level) + QStringLiteral("  ") + entry.label,
                          headingText);
        first = false;

        QTextBlockFormat body;
        body.setLeftMargin(indentStep * (std::min(entry.level, 9) - 1));
        QTextCharFormat bodyText;
        bodyText.setFont(font_);
        if (entry.text.isEmpty()) continue;
        // One block for the whole text, its lines broken where the text breaks them: a
        // document of few blocks lays out and paints much faster than one of many.
        QString text = entry.text;
        text.replace(u'\n', QChar::LineSeparator);
        cursor.insertBlock(body);
        cursor.insertText(text, bodyText);
    }
}

bool TPrintedOutline::Paint(QPagedPaintDevice& device,
                            const std::function<bool(int, int)>& progress) {
    QPainter painter(&device);
    if (!painter.isActive()) return false;
    Compose();
    // The page in the layout's pixels; the device's are `scale` times smaller.
    const qreal scale = device.logicalDpiX() / kLayoutDpi;
    const QRectF body = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const qreal footer = 2.5 * font_.pointSizeF() * kLayoutDpi / 72.0;
    // Whole pixels: the layout keeps the page's height in 1/64 pixels, and the pages
    // painted here must start where its pages start, page after page.
    const QSizeF page(std::floor(body.width() / scale), std::floor(body.height() / scale - footer));
    document_.setPageSize(page);
    // The layout of a long outline takes most of the time: it is done a stretch at a time,
    // progress told (with no total yet) between stretches so that it can stop it too.
    if (progress) {
        int blocks = 0;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            if (++blocks % 200 != 0) continue;
            document_.documentLayout()->blockBoundingRect(block);
            if (!progress(0, 0)) return false;
        }
    }
    pageCount_ = document_.pageCount();

    // Pages are painted in order, each from the first block that reaches onto it: the
    // layout's own drawing would go through every block for every page.
    QTextBlock first = document_.begin();
    for (int index = 0; index < pageCount_; ++index) {
        if (index > 0 && !device.newPage()) return false;
        const QRectF clip(0, index * page.height(), page.width(), page.height());
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, -clip.top());
        painter.setClipRect(clip.translated(0, -kSlack));
        first = PaintBlocks(painter, first, clip);
        painter.restore();
        PaintFooter(painter, QRectF(0, page.height() * scale, page.width() * scale, footer * scale),
                    index + 1);
        if (progress && !progress(index + 1, pageCount_)) return false;
    }
    return true;
}

QTextBlock TPrintedOutline::PaintBlocks(QPainter& painter, QTextBlock block,
                                        const QRectF& clip) const {
    QAbstractTextDocumentLayout* layout = document_.documentLayout();
    while (block.isValid() && layout->blockBoundingRect(block).bottom() <= clip.top())
        block = block.next();
    for (QTextBlock on = block; on.isValid(); on = on.next()) {
        if (layout->blockBoundingRect(on).top() >= clip.bottom()) break;
        // A line belongs to the page its top stands on: one that reaches over the page's
        // edge is not painted twice. The layout places lines in 1/64 pixels, so a line
        // that starts a page may stand a hair above the page's exact top.
        const QTextLayout* lines = on.layout();
        const QPointF at = lines->position();
        for (int i = 0; i < lines->lineCount(); ++i) {
            const QTextLine line = lines->lineAt(i);
            const qreal top = at.y() + line.y() + kSlack;
            if (top >= clip.top() && top < clip.bottom()) line.draw(&painter, at);
        }
    }
    return block;
}

bool TPrintedOutline::WritePdf(const QString& path, const TOutlineEntries& entries,
                               const QFont& font, const std::function<bool(int, int)>& progress) {
    QSaveFile file(path);
    const auto failure = [&](int error) {
        file.cancelWriting();
        return AppError::CannotCreate(QDir::toNativeSeparators(path), error);
    };
    if (const int error = SystemReason::ErrorOf([&] { return file.open(QIODevice::WriteOnly); }))
        throw failure(error);
    bool complete = false;
    bool stopped = false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(QFileInfo(path).completeBaseName());
        writer.setCreator(QStringLiteral("Hedgerow"));
        SetMargins(writer);
        complete = TPrintedOutline(entries, font).Paint(writer, [&](int done, int total) {
            stopped = progress && !progress(done, total);
            return !stopped;
        });
    }
    if (stopped) {
        file.cancelWriting();
        return false;
    }
    if (!complete) throw failure(0);
    // What is still buffered goes out before the commit, where the reason of a full disk
    // is still known.
    int error = SystemReason::ErrorOf([&] { return file.flush(); });
    if (error == 0) error = SystemReason::ErrorOf([&] { return file.commit(); });
    if (error != 0) throw failure(error);
    return true;
}

void TPrintedOutline::SetMargins(QPagedPaintDevice& device) {
    device.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
}

void TPrintedOutline::PaintFooter(QPainter& painter, const QRectF& area, int page) const {
    painter.save();
    painter.setFont(QFont(font_, painter.device()));
    painter.drawText(area, Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("%1 / %2").arg(page).arg(pageCount_));
    painter.restore();
}
