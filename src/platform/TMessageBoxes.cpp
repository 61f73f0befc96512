#include "platform/TMessageBoxes.h"

QString TMessageBoxes::TitleOf(Kind kind) {
    switch (kind) {
        case Kind::Warning: return QStringLiteral("警告");
        case Kind::Error: return QStringLiteral("エラー");
        case Kind::Information: return QStringLiteral("情報");
        case Kind::Confirmation: return QStringLiteral("確認");
    }
    return {};
}
