#include "skin/TSkinHints.h"

QString TSkinHints::Of(int code) {
    switch (code) {
        case 1: return QStringLiteral("現在選択している項目と同じ階層に、新しい項目を追加します。");
        case 2: return QStringLiteral("現在選択している項目の下の階層に、新しい項目を追加します。");
        case 3: return QStringLiteral("現在選択している項目と、その子項目を削除します。");
        case 4: return QStringLiteral("項目を上に移動します。");
        case 5: return QStringLiteral("項目を下に移動します。");
        case 6: return QStringLiteral("項目の階層を下げ、左に移動します。");
        case 7: return QStringLiteral("項目の階層を上げ、右に移動します。");
        case 8:
            return QStringLiteral(
                "クリックしたままカーソルを動かすと、アウトラインとエディターのサイズを変更できます"
                "。");
        case 9: return QStringLiteral("新しい文章を開きます。");
        case 10: return QStringLiteral("文章を開きます。");
        case 11: return QStringLiteral("文章を上書き保存します。");
        case 12:
            return QStringLiteral(
                "クリップボード内にある文章から、現在選択している項目と同じ階層に、新しい項目を追加"
                "します。");
        case 13:
            return QStringLiteral(
                "クリップボード内にある文章から、現在選択している項目の下の階層に、新しい項目を追加"
                "します。");
        case 14: return QStringLiteral("選択されている文章を、クリップボード内に切り取ります。");
        case 15: return QStringLiteral("選択されている文章を、クリップボード内にコピーします。");
        case 16: return QStringLiteral("クリップボード内の文章を、張り付けます。");
        case 17: return QStringLiteral("文章の編集を、取り消します。");
        case 20: return QStringLiteral("現バージョンでは、メニューがありません。");
        default: return {};
    }
}
