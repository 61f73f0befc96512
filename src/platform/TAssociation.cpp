#include "platform/TAssociation.h"

#ifdef Q_OS_WIN
#include "platform/TRegistryAssociation.h"
#else
#include "platform/TDesktopAssociation.h"
#endif

std::unique_ptr<TAssociation> TAssociation::ForThisSystem(const QString& exePath,
                                                          bool installedCopy) {
#ifdef Q_OS_WIN
    Q_UNUSED(installedCopy);
    return std::make_unique<TRegistryAssociation>(exePath);
#else
    if (installedCopy)
        return std::make_unique<TDesktopAssociation>(TDesktopAssociation::ForInstalledEntry());
    return std::make_unique<TDesktopAssociation>(exePath);
#endif
}
