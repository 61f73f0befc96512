#pragma once

#include <QAccessibleActionInterface>

#include "ui/TDrawnPartAccessible.h"

// A drawn part that assistive technology can also act on (press, toggle, open).
class TPressableAccessible : public TDrawnPartAccessible, public QAccessibleActionInterface {
  public:
    using TDrawnPartAccessible::TDrawnPartAccessible;

    void* interface_cast(QAccessible::InterfaceType type) override;
    // The parts are pressed like their drawn counterparts, not by keys of their own.
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};
