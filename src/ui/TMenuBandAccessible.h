#pragma once

#include <QList>

#include "ui/TDrawnPartAccessible.h"

class TSkinAccessHost;
class TSkinElementAccessible;

// The skin's menu band as a menu bar holding the five menu titles.
class TMenuBandAccessible : public TDrawnPartAccessible {
  public:
    TMenuBandAccessible(QWidget* window, QAccessibleInterface* parent, TSkinAccessHost& host);
    ~TMenuBandAccessible() override;

    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::MenuBar; }
    QAccessible::State state() const override { return {}; }

  protected:
    QRect LocalRect() const override;

  private:
    QList<TSkinElementAccessible*> titles_;
};
