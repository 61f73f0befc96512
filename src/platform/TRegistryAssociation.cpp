#include "platform/TRegistryAssociation.h"

#include <QDir>

#ifdef Q_OS_WIN

#include <windows.h>

#include <string>
#include <vector>

#include "platform/AppError.h"
#include "platform/TAssociationTable.h"

namespace {

QString RootedName(const QString& key) { return QStringLiteral("HKEY_CLASSES_ROOT\\") + key; }

// Opens key below HKEY_CLASSES_ROOT, creating it when missing, and sets its default
// string value. The key is released in any case.
void WriteDefaultValue(const QString& key, const QString& value) {
    const std::wstring name = key.toStdWString();
    HKEY handle = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS)
        throw AppError::CannotCreate(RootedName(key));
    const std::wstring data = value.toStdWString();
    const LSTATUS result =
        RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
    if (result != ERROR_SUCCESS) throw AppError::CannotCreate(RootedName(key));
}

// Deletes name below parent with all its subkeys: each subkey the same way first,
// from the last to the first, then the key itself. Failures are ignored.
void DeleteKeyTree(HKEY parent, const std::wstring& name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
    std::vector<std::wstring> subkeys;
    for (DWORD index = 0;; ++index) {
        wchar_t buffer[256];
        DWORD length = 256;
        if (RegEnumKeyExW(handle, index, buffer, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        subkeys.emplace_back(buffer, length);
    }
    for (auto subkey = subkeys.rbegin(); subkey != subkeys.rend(); ++subkey)
        DeleteKeyTree(handle, *subkey);
    RegCloseKey(handle);
    RegDeleteKeyW(parent, name.c_str());
}

}  // namespace

TRegistryAssociation::TRegistryAssociation(QString exePath)
    : exePath_(QDir::toNativeSeparators(exePath)) {}

void TRegistryAssociation::Register() {
    for (const TAssociationTable::Entry& entry : TAssociationTable::Entries(exePath_))
        WriteDefaultValue(entry.key, entry.value);
}

void TRegistryAssociation::Remove() {
    for (const QString& key : TAssociationTable::RemovedKeys())
        DeleteKeyTree(HKEY_CLASSES_ROOT, key.toStdWString());
}

#endif
