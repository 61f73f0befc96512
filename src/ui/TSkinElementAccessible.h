#pragma once

#include "skin/TSkinLayout.h"
#include "ui/TPressableAccessible.h"

class TSkinAccessHost;

// A drawn element of the skin as a push button (or, on the menu band, a menu title):
// named shortly, its hint as description, pressed as a click presses it.
class TSkinElementAccessible : public TPressableAccessible {
  public:
    TSkinElementAccessible(QWidget* window, QAccessibleInterface* parent, TSkinAccessHost& host,
                           SkinCode code, QAccessible::Role role);

    SkinCode Code() const { return code_; }

    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return role_; }
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

  protected:
    QRect LocalRect() const override;

  private:
    TSkinElement Element() const;

    TSkinAccessHost& host_;
    SkinCode code_;
    QAccessible::Role role_;
};
