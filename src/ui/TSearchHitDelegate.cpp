#include "ui/TSearchHitDelegate.h"

#include <QApplication>
#include <QPainter>

#include "ui/TSearchResultModel.h"

void TSearchHitDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const QVariant mark = index.data(TSearchResultModel::MarkRole);
    if (!mark.isValid()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString line = item.text;
    item.text.clear();
    const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

    const QPoint range = mark.toPoint();
    const QString before = line.left(range.x());
    const QString match = line.mid(range.x(), range.y());
    const QString after = line.mid(range.x() + range.y());
    QFont bold = item.font;
    bold.setBold(true);
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, item.widget)
                           .adjusted(2, 0, -2, 0);
    const bool selected = item.state & QStyle::State_Selected;
    const QColor text = item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);

    painter->save();
    painter->setClipRect(area);
    int x = area.left();
    const auto draw = [&](const QString& piece, const QFont& font, bool marked) {
        const QFontMetrics metrics(font);
        const int width = metrics.horizontalAdvance(piece);
        const QRect box(x, area.top(), width, area.height());
        if (marked && !selected) painter->fillRect(box, QColor(255, 236, 140));
        painter->setFont(font);
        painter->setPen(text);
        painter->drawText(box, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, piece);
        x += width;
    };
    draw(before, item.font, false);
    draw(match, bold, true);
    draw(after, item.font, false);
    painter->restore();
}
