#include "ui/TPagePreview.h"

#include <QPainter>
#include <algorithm>

#include "ui/TPageCounter.h"

TPagePreview::TPagePreview(const TOutlineEntries& entries, const QFont& font,
                           const QPageLayout& layout)
    : pages_(entries, font, layout) {
    pages_.Reach(0);
    if (!pages_.Complete()) counter_ = std::make_unique<TPageCounter>(pages_);
}

TPagePreview::~TPagePreview() = default;

QString TPagePreview::Indicator() const {
    return Total() > 0 ? QStringLiteral("%1 / %2").arg(current_ + 1).arg(Total())
                       : QStringLiteral("%1 / …").arg(current_ + 1);
}

void TPagePreview::Go(int page) {
    Update();
    // A page beyond those counted is laid out here: the next one takes a moment.
    pages_.Reach(page);
    current_ = std::clamp(page, 0, pages_.KnownPages() - 1);
}

void TPagePreview::Last() {
    Update();
    current_ = pages_.KnownPages() - 1;
}

bool TPagePreview::Update() {
    if (!counter_) return false;
    counter_->HandOver(pages_);
    if (pages_.Complete()) counter_.reset();
    return counter_ != nullptr;
}

void TPagePreview::StopCounting() {
    if (!counter_) return;
    counter_->HandOver(pages_);
    counter_.reset();
}

void TPagePreview::Paint(QPainter& painter, const QRectF& area) const {
    const QPageLayout& layout = pages_.Layout();
    const QRectF paper = layout.fullRect(QPageLayout::Point);
    const qreal scale = std::min(area.width() / paper.width(), area.height() / paper.height());
    const QSizeF size = paper.size() * scale;
    const QPointF corner = area.center() - QPointF(size.width(), size.height()) / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(corner, size), Qt::white);
    painter.setPen(Qt::black);
    painter.translate(corner + layout.paintRect(QPageLayout::Point).topLeft() * scale);
    // Points to the layout's pixels.
    painter.scale(scale * 72 / TOutlinePages::kLayoutDpi, scale * 72 / TOutlinePages::kLayoutDpi);
    pages_.Paint(painter, current_, Total());
    painter.restore();
}
