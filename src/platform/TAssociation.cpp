#include "platform/TAssociation.h"

#ifdef Q_OS_WIN
#include "platform/TRegistryAssociation.h"
#else
#include "platform/TDesktopAssociation.h"
#endif

std::unique_ptr<TAssociation> TAssociation::ForThisSystem(const QString& exePath) {
#ifdef Q_OS_WIN
    return std::make_unique<TRegistryAssociation>(exePath);
#else
    return std::make_unique<TDesktopAssociation>(exePath);
#endif
}
