#pragma once

#include "ui/TDrawnPartAccessible.h"

class TSkinAccessHost;

// The hint line as a status bar whose name is the hint shown now.
class THintLineAccessible : public TDrawnPartAccessible {
  public:
    THintLineAccessible(QWidget* window, QAccessibleInterface* parent, TSkinAccessHost& host);

    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::StatusBar; }
    QAccessible::State state() const override { return {}; }

  protected:
    QRect LocalRect() const override;

  private:
    TSkinAccessHost& host_;
};
