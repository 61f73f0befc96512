#include "ui/TAccessibleFactory.h"

#include <QAccessible>
#include <QTreeView>

#include "ui/TMainWindowAccessible.h"
#include "ui/TMenuAccessible.h"
#include "ui/TOutlineAccessible.h"
#include "ui/TSkinAccessHost.h"
#include "ui/TSystemMenuForm.h"

namespace {

QAccessibleInterface* Create(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (auto* host = dynamic_cast<TSkinAccessHost*>(object))
        return new TMainWindowAccessible(widget, *host);
    if (auto* menu = qobject_cast<TSystemMenuForm*>(object)) return new TMenuAccessible(menu);
    // The main window's outline; other tree views keep Qt's own interface.
    if (className == QLatin1String("TOutlineView"))
        return new TOutlineAccessible(static_cast<QTreeView*>(widget));
    return nullptr;
}

}  // namespace

void TAccessibleFactory::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(Create);
        return true;
    }();
    (void)installed;
}
