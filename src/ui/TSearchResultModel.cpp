#include "ui/TSearchResultModel.h"

#include <QPoint>

TSearchResultModel::TSearchResultModel(QObject* parent) : QAbstractTableModel(parent) {}

void TSearchResultModel::SetResult(TOutlineSearch::TResult result) {
    beginResetModel();
    result_ = std::move(result);
    endResetModel();
}

const TOutlineSearch::THit* TSearchResultModel::HitAt(int row) const {
    if (row < 0 || row >= rowCount()) return nullptr;
    return &result_.hits[row];
}

int TSearchResultModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(result_.hits.size());
}

int TSearchResultModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TSearchResultModel::data(const QModelIndex& index, int role) const {
    const TOutlineSearch::THit* hit = HitAt(index.row());
    if (!hit || index.column() >= ColumnCount) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
            case PathColumn: return hit->path;
            case LineColumn: return hit->line;
            default: return QString::number(hit->count);
        }
    }
    if (role == MarkRole && index.column() == LineColumn)
        return QPoint(int(hit->markStart), int(hit->markLength));
    if (role == Qt::TextAlignmentRole && index.column() == CountColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant TSearchResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case PathColumn: return QStringLiteral("項目");
        case LineColumn: return QStringLiteral("該当する行");
        case CountColumn: return QStringLiteral("件数");
        default: return {};
    }
}
