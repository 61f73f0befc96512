#include <gtest/gtest.h>

#include "settings/TSettingsList.h"
#include "support/Printers.h"
#include "ui/TMenuTables.h"

namespace {

struct Expected {
    int code;
    int y;
    QString caption;
    QString hint;
};

TSettingsList Recent(const QStringList& values) {
    QStringList lines;
    for (int i = 0; i < values.size(); ++i)
        lines << QStringLiteral("RecentFile%1=%2").arg(i + 1).arg(values[i]);
    return TSettingsList(lines);
}

const QStringList kAllNil = {"nil", "nil", "nil", "nil", "nil"};

void ExpectEntries(const TMenuTable& table, const TSettingsList& settings,
                   const QList<Expected>& expected) {
    ASSERT_EQ(table.Entries.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i) {
        const TMenuEntry& entry = table.Entries[i];
        SCOPED_TRACE(expected[i].code);
        EXPECT_EQ(static_cast<int>(entry.Command), expected[i].code);
        EXPECT_EQ(static_cast<int>(entry.Command), expected[i].code);
        EXPECT_EQ(entry.Y, expected[i].y);
        EXPECT_EQ(entry.Caption(settings), expected[i].caption);
        EXPECT_EQ(entry.Hint, expected[i].hint);
    }
}

void ExpectSeparators(const TMenuTable& table, const QList<int>& ys, int left, int right) {
    ASSERT_EQ(table.Separators.size(), ys.size());
    for (qsizetype i = 0; i < ys.size(); ++i) {
        EXPECT_EQ(table.Separators[i].Y, ys[i]);
        EXPECT_EQ(table.Separators[i].Left, left);
        EXPECT_EQ(table.Separators[i].Right, right);
    }
}

}  // namespace

TEST(MenuTables, FileMenuWithoutRecentFiles) {
    const TSettingsList settings = Recent(kAllNil);
    const TMenuTable table = TMenuTables::Build(1, settings);
    EXPECT_EQ(table.MenuNumber, 1);
    EXPECT_EQ(table.RecentFileCount, 0);
    EXPECT_EQ(table.Left, 30);
    // The entries beyond the menu's own follow below a separator, and the menu grows.
    EXPECT_EQ(table.Size, QSize(120, 260));
    ExpectEntries(table, settings,
                  {{101, 10, "新規作成", "新しい文章を開きます。"},
                   {102, 30, "開く", "文章を開きます。"},
                   {103, 70, "上書き保存", "文章を上書き保存します。"},
                   {104, 90, "名前を付けて保存", "文章を名前を付けて、新たに保存します。"},
                   {110, 130, "終了", ""},
                   {111, 170, "インポート",
                    "他の形式のファイルを読み込み、選択している項目の後に項目として加えます。"},
                   {112, 190, "エクスポート",
                    "文章全体か選択している項目以下を、他の形式のファイルに書き出します。"},
                   {113, 210, "印刷", "文章全体か選択している項目以下を印刷します。"},
                   {114, 230, "PDF に書き出す",
                    "文章全体か選択している項目以下を、PDF ファイルに書き出します。"}});
    ExpectSeparators(table, {55, 115, 155}, 10, 110);
}

TEST(MenuTables, FileMenuWithFiveRecentFiles) {
    const TSettingsList settings = Recent(
        {"C:\\doc\\one.qlo", "C:\\doc\\two.qlo", "D:three.qlo", "/home/u/four.qlo", "five.qlo"});
    const TMenuTable table = TMenuTables::Build(1, settings);
    EXPECT_EQ(table.RecentFileCount, 5);
    EXPECT_EQ(table.Size, QSize(120, 380));
    ExpectEntries(table, settings,
                  {{101, 10, "新規作成", "新しい文章を開きます。"},
                   {102, 30, "開く", "文章を開きます。"},
                   {103, 70, "上書き保存", "文章を上書き保存します。"},
                   {104, 90, "名前を付けて保存", "文章を名前を付けて、新たに保存します。"},
                   {105, 130, "one.qlo", ""},
                   {106, 150, "two.qlo", ""},
                   {107, 170, "three.qlo", ""},
                   {108, 190, "four.qlo", ""},
                   {109, 210, "five.qlo", ""},
                   {110, 250, "終了", ""},
                   {111, 290, "インポート",
                    "他の形式のファイルを読み込み、選択している項目の後に項目として加えます。"},
                   {112, 310, "エクスポート",
                    "文章全体か選択している項目以下を、他の形式のファイルに書き出します。"},
                   {113, 330, "印刷", "文章全体か選択している項目以下を印刷します。"},
                   {114, 350, "PDF に書き出す",
                    "文章全体か選択している項目以下を、PDF ファイルに書き出します。"}});
    ExpectSeparators(table, {55, 115, 235, 275}, 10, 110);
}

TEST(MenuTables, RecentFilesAreCountedFromTheFifthDown) {
    EXPECT_EQ(TMenuTables::RecentFileCount(Recent(kAllNil)), 0);
    EXPECT_EQ(TMenuTables::RecentFileCount(Recent({"nil", "C:\\a.qlo", "nil", "nil", "nil"})), 2);
    EXPECT_EQ(TMenuTables::RecentFileCount(Recent({"C:\\a.qlo", "nil", "nil", "nil", "NIL"})), 5);
    // An absent key counts as in use.
    EXPECT_EQ(TMenuTables::RecentFileCount(Recent({"nil", "nil", "nil", "nil"})), 5);
    EXPECT_EQ(TMenuTables::RecentFileCount(TSettingsList()), 5);
}

TEST(MenuTables, NilBelowTheHighestUsedEntryIsListedAsNil) {
    const TSettingsList settings = Recent({"nil", "C:\\doc\\b.qlo", "nil", "nil", "nil"});
    const TMenuTable table = TMenuTables::Build(1, settings);
    ASSERT_EQ(table.RecentFileCount, 2);
    ASSERT_NE(table.Find(TMenuCommand::RecentFile1), nullptr);
    EXPECT_EQ(table.Find(TMenuCommand::RecentFile1)->Caption(settings), "nil");
    EXPECT_EQ(table.Find(TMenuCommand::RecentFile2)->Caption(settings), "b.qlo");
    EXPECT_EQ(table.Find(TMenuCommand::RecentFile3), nullptr);
    EXPECT_EQ(table.Find(TMenuCommand::Exit)->Y, 190);
    EXPECT_EQ(table.Size.height(), 320);
    EXPECT_EQ(table.Separators[2].Y, 175);
}

TEST(MenuTables, AbsentRecentKeyShowsAnEmptyCaption) {
    const TSettingsList settings(
        QStringList{"RecentFile1=nil", "RecentFile2=nil", "RecentFile4=nil", "RecentFile5=nil"});
    const TMenuTable table = TMenuTables::Build(1, settings);
    ASSERT_EQ(table.RecentFileCount, 3);
    EXPECT_EQ(table.Find(TMenuCommand::RecentFile3)->Caption(settings), "");
    EXPECT_EQ(table.Find(TMenuCommand::RecentFile3)->Y, 170);
}

TEST(MenuTables, RecentCaptionIsTheTextAfterTheLastSeparator) {
    EXPECT_EQ(TMenuTables::FileNameOf("C:\\Documents\\memo.qlo"), "memo.qlo");
    EXPECT_EQ(TMenuTables::FileNameOf("C:memo.qlo"), "memo.qlo");
    EXPECT_EQ(TMenuTables::FileNameOf("C:\\表示\\ソフト.qlo"), "ソフト.qlo");
    EXPECT_EQ(TMenuTables::FileNameOf("/home/user/予定.qlo"), "予定.qlo");
    EXPECT_EQ(TMenuTables::FileNameOf("nil"), "nil");
    EXPECT_EQ(TMenuTables::FileNameOf(""), "");
}

TEST(MenuTables, EditMenu) {
    const TSettingsList settings;
    const TMenuTable table = TMenuTables::Build(2, settings);
    EXPECT_EQ(table.Left, 84);
    EXPECT_EQ(table.Size, QSize(140, 460));
    ExpectEntries(
        table, settings,
        {{21, 10, "項目を追加", "現在選択している項目と同じ階層に、新しい項目を追加します。"},
         {22, 30, "子項目を追加", "現在選択している項目の下の階層に、新しい項目を追加します。"},
         {23, 50, "項目を削除", "現在選択している項目と、その子項目を削除します。"},
         {24, 90, "項目を張り付け",
          "クリップボード内にある文章から、現在選択している項目と同じ階層に、新しい項目を追加します"
          "。"},
         {25, 110, "子項目を張り付け",
          "クリップボード内にある文章から、現在選択している項目の下の階層に、新しい項目を追加します"
          "。"},
         {26, 150, "文章を切り取り", "選択されている文章を、クリップボード内に切り取ります。"},
         {27, 170, "文章をコピー", "選択されている文章を、クリップボード内にコピーします。"},
         {28, 190, "文章を張り付け", "クリップボード内の文章を、張り付けます。"},
         {29, 210, "文章の編集を元に戻す", "文章の編集を、取り消します。"},
         {210, 250, "複製",
          "現在選択している項目を、その子項目と文章ごと複製し、すぐ後に加えます。"},
         {211, 270, "昇順に並べ替え",
          "現在選択している項目の子項目を、ラベルの昇順（あいうえお順）に並べ替えます。"},
         {212, 290, "降順に並べ替え",
          "現在選択している項目の子項目を、ラベルの降順に並べ替えます。"},
         {213, 330, "項目を切り取り",
          "選択している項目を、その子項目と文章ごと、クリップボード内に切り取ります。"},
         {214, 350, "項目をコピー",
          "選択している項目を、その子項目と文章ごと、クリップボード内にコピーします。"},
         {215, 370, "後に張り付け",
          "クリップボード内の項目を、現在選択している項目の後に張り付けます。"},
         {216, 390, "子として張り付け",
          "クリップボード内の項目を、現在選択している項目の子項目として張り付けます。"},
         {217, 410, "項目を分割", "現在の項目の文章を、カーソルの位置で二つの項目に分けます。"},
         {218, 430, "項目を結合",
          "選択している項目を、最初の項目にまとめます。文章は順につながります。"}});
    ExpectSeparators(table, {75, 135, 235, 315}, 10, 130);
}

TEST(MenuTables, ViewMenu) {
    const TSettingsList settings;
    const TMenuTable table = TMenuTables::Build(3, settings);
    EXPECT_EQ(table.Left, 149);
    EXPECT_EQ(table.Size, QSize(120, 440));
    QList<Expected> expected = {
        {31, 10, "検索", "現在開いているファイルから、指定した範囲で、文字列の検索をします。"},
        {32, 30, "置換",
         "現在開いているファイルから、指定した範囲で、文字列を検索し、任意の文字列に置換します"
         "。"},
        {33, 70, "すべて開く", "アウトラインのすべての項目を展開します。"},
        {34, 90, "すべて閉じる", "アウトラインのすべての項目を折りたたみます。"},
        {35, 110, "レベル 1", "一番上の階層の項目だけを表示します。"}};
    const int codes[] = {36, 37, 38, 39, 310, 311, 312, 313};
    for (int level = 2; level <= 9; ++level)
        expected.append({codes[level - 2], 90 + 20 * level, QStringLiteral("レベル %1").arg(level),
                         QStringLiteral("上から %1 階層までの項目を表示します。").arg(level)});
    expected.append(
        {314, 310, "下位を開く", "現在選択している項目と、その下のすべての項目を展開します。"});
    expected.append({315, 330, "下位を閉じる",
                     "現在選択している項目と、その下のすべての項目を折りたたみます。"});
    expected.append({316, 370, "文字数",
                     "現在の項目、下位を含む項目、選択範囲、文書全体の文字数と原稿用紙の枚数を表示"
                     "します。"});
    expected.append({317, 410, "縦書きプレビュー",
                     "現在の項目を原稿用紙に縦書きで組んで、ページごとに表示します。"});
    ExpectEntries(table, settings, expected);
    ExpectSeparators(table, {55, 295, 355, 395}, 10, 110);
}

TEST(MenuTables, OptionMenuWithMarks) {
    const TSettingsList settings(QStringList{"AutoLoad=1", "AutoSave=0", "AutoBackup=nil"});
    const TMenuTable table = TMenuTables::Build(4, settings);
    EXPECT_EQ(table.Left, 218);
    EXPECT_EQ(table.Size, QSize(200, 260));
    ExpectEntries(
        table, settings,
        {{41, 10, "○自動読み込みを有効にする",
          "起動時に、前回開いていたファイルを自動で読み込みます。"},
         {42, 30, "×自動保存を有効にする", "終了時に、編集しているファイルを自動で保存します。"},
         {43, 50, "×自動バックアップを有効にする",
          "保存時に、自動でファイルのバックアップをとります。拡張子を「qlo~」として保存します。"},
         {44, 90, "×右端で折り返す",
          "エディター内に入りきらない文章を、右端で折り返して表示します。"},
         {45, 110, "　アウトラインのフォント設定をする",
          "アウトラインの項目のラベル部分のフォントを設定します。"},
         {46, 130, "　エディターのフォント設定をする",
          "エディターに表示される文章のフォントを設定します。"},
         {47, 170, "　「qlo」の拡張子を関連づける",
          "「qlo」の拡張子を、本アプリケーションに関連づけます。"},
         {48, 190, "　全てのレジストリ情報を削除する",
          "本アプリケーションに関する、全てのレジストリ情報を削除します。"},
         {49, 230, "　オプション設定", "本アプリケーションに関する設定を行います。"}});
    ExpectSeparators(table, {75, 155, 215}, 10, 190);
}

TEST(MenuTables, OptionMenuTogglesReadTheirKeysEachTime) {
    TSettingsList settings(
        QStringList{"AutoLoad=1", "AutoSave=1", "AutoBackup=1", "EditorWordWrap=1"});
    const TMenuTable table = TMenuTables::Build(4, settings);
    EXPECT_EQ(table.Find(TMenuCommand::AutoLoad)->ToggleKey, "AutoLoad");
    EXPECT_EQ(table.Find(TMenuCommand::AutoSave)->ToggleKey, "AutoSave");
    EXPECT_EQ(table.Find(TMenuCommand::AutoBackup)->ToggleKey, "AutoBackup");
    EXPECT_EQ(table.Find(TMenuCommand::EditorWordWrap)->ToggleKey, "EditorWordWrap");
    EXPECT_EQ(table.Find(TMenuCommand::EditorWordWrap)->Caption(settings), "○右端で折り返す");
    settings.SetValue(u"editorwordwrap", "0");
    EXPECT_EQ(table.Find(TMenuCommand::EditorWordWrap)->Caption(settings), "×右端で折り返す");
}

TEST(MenuTables, ToggleMarkIsACircleOnlyForExactlyOne) {
    EXPECT_EQ(TMenuTables::ToggleMark("1"), "○");
    for (const char* value : {"0", "nil", "", " 1", "11", "true"})
        EXPECT_EQ(TMenuTables::ToggleMark(value), "×");
}

TEST(MenuTables, HelpMenu) {
    const TSettingsList settings;
    const TMenuTable table = TMenuTables::Build(5, settings);
    EXPECT_EQ(table.Left, 310);
    EXPECT_EQ(table.Size, QSize(200, 120));
    ExpectEntries(table, settings,
                  {{51, 10, "ヘルプを参照する",
                    "ヘルプを参照します。ウェブブラウザーがインストールされている必要があります。"},
                   {52, 30, "バージョン情報", "本アプリケーションのバージョン情報を表示します。"},
                   {53, 70, "brisbeck ホームページ",
                    "brisbeck "
                    "ホームページを訪れます。本アプリケーションの最新バージョンは、ここから入手して"
                    "ください。"},
                   {54, 90, "最新バージョン情報を見る",
                    "インターネット経由で、最新バージョン情報のあるページを表示します。"}});
    ExpectSeparators(table, {55}, 10, 190);
}

TEST(MenuTables, UnknownMenuIsEmpty) {
    for (int number : {0, 6, -1}) {
        const TMenuTable table = TMenuTables::Build(number, TSettingsList());
        EXPECT_EQ(table.MenuNumber, 0);
        EXPECT_TRUE(table.Entries.isEmpty());
    }
}

TEST(MenuTables, ClosingRules) {
    EXPECT_EQ(TMenuTables::ClosingOf(TMenuCommand::OpenFile), TMenuClosing::HideRunClose);
    EXPECT_EQ(TMenuTables::ClosingOf(TMenuCommand::SaveFileAs), TMenuClosing::HideRunClose);
    EXPECT_EQ(TMenuTables::ClosingOf(TMenuCommand::Find), TMenuClosing::HideRun);
    EXPECT_EQ(TMenuTables::ClosingOf(TMenuCommand::Replace), TMenuClosing::HideRun);
    for (TMenuCommand command :
         {TMenuCommand::NewFile, TMenuCommand::SaveFile, TMenuCommand::Exit,
          TMenuCommand::RecentFile3, TMenuCommand::SetOption, TMenuCommand::Version})
        EXPECT_EQ(TMenuTables::ClosingOf(command), TMenuClosing::RunThenClose);
}
