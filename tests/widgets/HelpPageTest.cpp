#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>

#include "support/Printers.h"
#include "ui/TCommandTable.h"
#include "ui/TLinkCommands.h"

namespace {

// The folder of the program, where the build puts the help page.
QString ProgramFolder() {
    return QDir::cleanPath(QStringLiteral(HEDGEROW_SKIN_DIR "/..")) + QLatin1Char('/');
}

QString HelpText() {
    QFile file(TLinkCommands::HelpPath(ProgramFolder()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

TEST(HelpPage, IsInstalledBesideTheProgramWithItsPicture) {
    EXPECT_TRUE(QFileInfo(ProgramFolder() + QStringLiteral("Help.html")).isFile());
    const QString text = HelpText();
    EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"UTF-8\">")));
    EXPECT_TRUE(text.contains(QStringLiteral("src=\"Help.png\"")));
    EXPECT_TRUE(QFileInfo(ProgramFolder() + QStringLiteral("Help.png")).size() > 0);
}

TEST(HelpPage, ExplainsEveryMenuEntry) {
    const QString text = HelpText();
    const QStringList captions = {"新規作成",
                                  "開く",
                                  "上書き保存",
                                  "名前を付けて保存",
                                  "終了",
                                  "項目を追加",
                                  "子項目を追加",
                                  "項目を削除",
                                  "項目を張り付け",
                                  "子項目を張り付け",
                                  "文章を切り取り",
                                  "文章をコピー",
                                  "文章を張り付け",
                                  "文章の編集を元に戻す",
                                  "複製",
                                  "昇順に並べ替え",
                                  "降順に並べ替え",
                                  "検索",
                                  "置換",
                                  "すべて開く",
                                  "すべて閉じる",
                                  "レベル 1",
                                  "レベル 9",
                                  "下位を開く",
                                  "下位を閉じる",
                                  "自動読み込みを有効にする",
                                  "自動保存を有効にする",
                                  "自動バックアップを有効にする",
                                  "右端で折り返す",
                                  "アウトラインのフォント設定をする",
                                  "エディターのフォント設定をする",
                                  "「qlo」の拡張子を関連づける",
                                  "全てのレジストリ情報を削除する",
                                  "オプション設定",
                                  "ヘルプを参照する",
                                  "バージョン情報",
                                  "brisbeck ホームページ",
                                  "最新バージョン情報を見る",
                                  "項目名の自動挿入を有効にする",
                                  "挿入する項目名の、文字列数を制限する。"};
    for (const QString& caption : captions)
        EXPECT_TRUE(text.contains(caption)) << caption.toStdString();
}

// Each key of the main window as the page writes it: the names printed on the keys,
// arrows for the arrow keys.
TEST(HelpPage, ListsEveryKeyOfTheMainWindow) {
    const QString text = HelpText();
    for (const TCommandRow& row : TCommandTable::All())
        for (const QKeyCombination combination : row.Keys) {
            QString keys = QKeySequence(combination).toString();
            keys.replace(QStringLiteral("Ins"), QStringLiteral("Insert"))
                .replace(QStringLiteral("Del"), QStringLiteral("Delete"))
                .replace(QStringLiteral("Up"), QStringLiteral("↑"))
                .replace(QStringLiteral("Down"), QStringLiteral("↓"))
                .replace(QStringLiteral("Left"), QStringLiteral("←"))
                .replace(QStringLiteral("Right"), QStringLiteral("→"));
            EXPECT_TRUE(text.contains(QStringLiteral("<code>") + keys + QStringLiteral("</code>")))
                << keys.toStdString();
        }
    EXPECT_TRUE(text.contains(QStringLiteral("<code>Alt</code> だけを押して離す")));
}

}  // namespace
