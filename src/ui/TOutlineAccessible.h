#pragma once

#include <QAccessibleWidget>
#include <QHash>
#include <QObject>
#include <QPersistentModelIndex>
#include <QPointer>
#include <vector>

class QAbstractItemModel;
class QTreeView;
class TOutlineRowAccessible;

// The outline as a tree named "アウトライン" whose children are its visible rows, top
// to bottom. It answers on an empty outline and without a current row alike.
class TOutlineAccessible : public QAccessibleWidget {
  public:
    explicit TOutlineAccessible(QTreeView* view);
    ~TOutlineAccessible() override;

    QString text(QAccessible::Text t) const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // Tell assistive technology that the current row of view, or its selection, changed.
    static void CurrentChanged(QTreeView* view);
    static void SelectionChanged(QTreeView* view);

  private:
    QTreeView* View() const;
    const std::vector<QPersistentModelIndex>& Rows() const;
    void Follow(QAbstractItemModel* model) const;
    TOutlineRowAccessible* RowOf(const QModelIndex& index) const;
    void ExpandedChanged(const QModelIndex& index) const;

    mutable std::vector<QPersistentModelIndex> rows_;
    mutable bool rowsKnown_ = false;
    mutable QPointer<QAbstractItemModel> model_;
    // Row interfaces by the item they stand for.
    mutable QHash<const void*, TOutlineRowAccessible*> rowInterfaces_;
    // The receiver of the model's and the view's signals; they end with it.
    mutable QObject watcher_;
};
