#pragma once

#include <QAbstractTableModel>

#include "ui/TOutlineSearch.h"

// The rows of a whole-outline search for the find dialog's list: the item's path, the
// line holding the first match (the match's place in MarkRole) and the number of
// matches in the item.
class TSearchResultModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    enum Column { PathColumn, LineColumn, CountColumn, ColumnCount };
    // Of LineColumn: QPoint(start, length) of the match in the line.
    static constexpr int MarkRole = Qt::UserRole + 1;

    explicit TSearchResultModel(QObject* parent = nullptr);

    void SetResult(TOutlineSearch::TResult result);
    const TOutlineSearch::TResult& Result() const { return result_; }
    const TOutlineSearch::THit* HitAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

  private:
    TOutlineSearch::TResult result_;
};
