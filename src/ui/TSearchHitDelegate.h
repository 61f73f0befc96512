#pragma once

#include <QStyledItemDelegate>

// Draws a line of a search result with its match marked: the match in bold on the
// selection colour's light tint, the rest as usual, cut off at the right edge.
class TSearchHitDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
