#include "platform/SystemReason.h"

#include <QtGlobal>
#include <cerrno>

QString SystemReason::Text(int error, Access access) {
    switch (error) {
        case ENOSPC: return QStringLiteral("ディスクの空き容量が足りません。");
        case EACCES:
        case EPERM: return QStringLiteral("アクセスが許可されていません。");
        case EROFS: return QStringLiteral("読み取り専用のファイルシステムです。");
        case EISDIR: return QStringLiteral("ファイルではなくフォルダーです。");
        case ENOENT:
            return access == Access::Write ? QStringLiteral("フォルダーがありません。")
                                           : QStringLiteral("ファイルがありません。");
        default: break;
    }
    if (error <= 0) return {};
    return qt_error_string(error);
}

int SystemReason::ErrorOf(const std::function<bool()>& call) {
    errno = 0;
    if (call()) return 0;
    const int error = errno;
    return error != 0 ? error : -1;
}
