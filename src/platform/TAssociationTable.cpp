#include "platform/TAssociationTable.h"

#include <QStringList>

QList<TAssociationTable::Entry> TAssociationTable::Entries(const QString& exePath) {
    return {
        {Extension(), TypeName()},
        {TypeName(), TypeName()},
        {TypeName() + QStringLiteral("\\DefaultIcon"), exePath + QStringLiteral(",0")},
        {TypeName() + QStringLiteral("\\shell\\open\\command"), exePath + QStringLiteral(" %1")},
    };
}

QStringList TAssociationTable::RemovedKeys() { return {Extension(), TypeName()}; }
