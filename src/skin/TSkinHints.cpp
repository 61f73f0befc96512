#include "skin/TSkinHints.h"

#include "skin/TSkinLayout.h"

QString TSkinHints::Of(SkinCode code) {
    switch (code) {
        case SkinCode::ButtonBrother:
            return QStringLiteral("現在選択している項目と同じ階層に、新しい項目を追加します。");
        case SkinCode::ButtonChild:
            return QStringLiteral("現在選択している項目の下の階層に、新しい項目を追加します。");
        case SkinCode::ButtonDelete:
            return QStringLiteral("現在選択している項目と、その子項目を削除します。");
        case SkinCode::ItemUp: return QStringLiteral("項目を上に移動します。");
        case SkinCode::ItemDown: return QStringLiteral("項目を下に移動します。");
        case SkinCode::ItemLeft: return QStringLiteral("項目の階層を下げ、左に移動します。");
        case SkinCode::ItemRight: return QStringLiteral("項目の階層を上げ、右に移動します。");
        case SkinCode::Splitter:
            return QStringLiteral(
                "クリックしたままカーソルを動かすと、アウトラインとエディターのサイズを変更できます"
                "。");
        case SkinCode::NewFile: return QStringLiteral("新しい文章を開きます。");
        case SkinCode::OpenFile: return QStringLiteral("文章を開きます。");
        case SkinCode::SaveFile: return QStringLiteral("文章を上書き保存します。");
        case SkinCode::PasteBrother:
            return QStringLiteral(
                "クリップボード内にある文章から、現在選択している項目と同じ階層に、新しい項目を追加"
                "します。");
        case SkinCode::PasteChild:
            return QStringLiteral(
                "クリップボード内にある文章から、現在選択している項目の下の階層に、新しい項目を追加"
                "します。");
        case SkinCode::Cut:
            return QStringLiteral("選択されている文章を、クリップボード内に切り取ります。");
        case SkinCode::Copy:
            return QStringLiteral("選択されている文章を、クリップボード内にコピーします。");
        case SkinCode::Paste: return QStringLiteral("クリップボード内の文章を、張り付けます。");
        case SkinCode::Undo: return QStringLiteral("文章の編集を、取り消します。");
        case SkinCode::MenuView: return QStringLiteral("現バージョンでは、メニューがありません。");
        default: return {};
    }
}
