#pragma once

#include "ui/TMenuCommand.h"
#include "ui/TPressableAccessible.h"

class TSystemMenuForm;
struct TMenuEntry;

// An entry of a drawn menu as a menu item: its caption without the toggle mark as
// name, the mark as checked state, its hint as description; pressing chooses it.
class TMenuEntryAccessible : public TPressableAccessible {
  public:
    TMenuEntryAccessible(TSystemMenuForm* menu, QAccessibleInterface* parent, TMenuCommand command);

    bool isValid() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override;

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& actionName) override;

  protected:
    QRect LocalRect() const override;

  private:
    const TMenuEntry* Entry() const;

    TSystemMenuForm* menu_;
    TMenuCommand command_;
};
