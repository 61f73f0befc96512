#include "ui/TAccessibleNames.h"

#include "skin/TSkinLayout.h"

QString TAccessibleNames::Of(const TSkinElement& element) {
    switch (element.Code) {
        case SkinCode::ButtonBrother: return QStringLiteral("項目を追加");
        case SkinCode::ButtonChild: return QStringLiteral("子項目を追加");
        case SkinCode::ButtonDelete: return QStringLiteral("項目を削除");
        case SkinCode::ItemUp: return QStringLiteral("上へ移動");
        case SkinCode::ItemDown: return QStringLiteral("下へ移動");
        case SkinCode::ItemLeft: return QStringLiteral("左へ移動");
        case SkinCode::ItemRight: return QStringLiteral("右へ移動");
        case SkinCode::NewFile: return QStringLiteral("新規作成");
        case SkinCode::OpenFile: return QStringLiteral("開く");
        case SkinCode::SaveFile: return QStringLiteral("上書き保存");
        case SkinCode::PasteBrother: return QStringLiteral("文章から項目を追加");
        case SkinCode::PasteChild: return QStringLiteral("文章から子項目を追加");
        case SkinCode::Cut: return QStringLiteral("切り取り");
        case SkinCode::Copy: return QStringLiteral("コピー");
        case SkinCode::Paste: return QStringLiteral("張り付け");
        case SkinCode::Undo: return QStringLiteral("元に戻す");
        case SkinCode::MenuFile: return QStringLiteral("ファイル");
        case SkinCode::MenuEdit: return QStringLiteral("編集");
        case SkinCode::MenuView: return QStringLiteral("表示");
        case SkinCode::MenuOption: return QStringLiteral("オプション");
        case SkinCode::MenuHelp: return QStringLiteral("ヘルプ");
        case SkinCode::Minimize: return QStringLiteral("最小化");
        case SkinCode::Maximize:
            return element.Stem.contains(QLatin1String("Normalize"))
                       ? QStringLiteral("元のサイズに戻す")
                       : QStringLiteral("最大化");
        case SkinCode::Close: return QStringLiteral("閉じる");
        case SkinCode::Homepage: return QStringLiteral("ホームページ");
        case SkinCode::EMail: return QStringLiteral("メール");
        default: return {};
    }
}
