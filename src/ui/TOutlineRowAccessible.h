#pragma once

#include <QPersistentModelIndex>

#include "ui/TPressableAccessible.h"

class QTreeView;

// A row of the outline as a tree item: named by its label, its level as description,
// with its selected, current and expanded states; pressing makes it current, toggling
// expands or collapses it.
class TOutlineRowAccessible : public TPressableAccessible {
  public:
    TOutlineRowAccessible(QTreeView* view, QAccessibleInterface* tree, const QModelIndex& index);

    const QPersistentModelIndex& Index() const { return index_; }

    bool isValid() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::TreeItem; }
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

  protected:
    QRect LocalRect() const override;

  private:
    int Level() const;

    QTreeView* view_;
    QPersistentModelIndex index_;
};
