#include "app/TFolderGuard.h"

TFolderGuard::TFolderGuard(const QString& folder)
    : lock_(folder + QStringLiteral("Hedgerow.lock")) {
    // Only a dead owner makes the lock stale, never its age.
    lock_.setStaleLockTime(0);
}

TFolderGuard::State TFolderGuard::Take() {
    if (lock_.tryLock(0)) return State::Taken;
    return lock_.error() == QLockFile::LockFailedError ? State::InUse : State::Unguarded;
}

QString TFolderGuard::InUseText() {
    return QStringLiteral(
        "このフォルダーのプログラムは、別の利用者か別の環境から既に起動されています。"
        "その編集中の文章を守るため、ここでは起動しません。");
}
