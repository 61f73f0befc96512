#pragma once

#include <QAccessibleWidget>
#include <QHash>

#include "ui/TMenuCommand.h"

class TMenuEntryAccessible;
class TSystemMenuForm;

// A drawn drop-down or context menu as a menu whose children are its entries, in the
// order of the menu now open.
class TMenuAccessible : public QAccessibleWidget {
  public:
    explicit TMenuAccessible(TSystemMenuForm* menu);
    ~TMenuAccessible() override;

    QString text(QAccessible::Text t) const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    // Tells assistive technology which entry of menu the keyboard or pointer is on.
    static void EntryHighlighted(TSystemMenuForm* menu);

  private:
    TSystemMenuForm* Menu() const;
    TMenuEntryAccessible* EntryOf(TMenuCommand command) const;

    mutable QHash<int, TMenuEntryAccessible*> entries_;  // by command
};
