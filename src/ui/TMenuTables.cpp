#include "ui/TMenuTables.h"

#include "settings/TSettingsList.h"
#include "ui/TMenuGeometry.h"

namespace {

const QString kNil = QStringLiteral("nil");

struct Row {
    int y;
    TMenuCommand command;
    const char16_t* text;
    const char16_t* hint;
    const char16_t* toggleKey = nullptr;
};

TMenuEntry EntryOf(const Row& row) {
    TMenuEntry entry;
    entry.Y = row.y;
    entry.Text = QString::fromUtf16(row.text);
    if (row.hint) entry.Hint = QString::fromUtf16(row.hint);
    entry.Command = row.command;
    if (row.toggleKey) entry.ToggleKey = QString::fromUtf16(row.toggleKey);
    return entry;
}

template <size_t N>
void AddRows(TMenuTable& table, const Row (&rows)[N]) {
    for (const Row& row : rows) table.Entries.append(EntryOf(row));
}

void AddSeparator(TMenuTable& table, int y) {
    table.Separators.append(
        {y, TMenuGeometry::kMargin, table.Size.width() - TMenuGeometry::kMargin});
}

// Entries beyond the menu's own ones: below them after a separator, spaced as they are,
// the window growing to hold them. Each row's y is its place among them (0, 1, ...).
template <size_t N>
void AddRowsBeyond(TMenuTable& table, const Row (&rows)[N]) {
    const int last = table.Entries.isEmpty() ? 0 : table.Entries.last().Y;
    AddSeparator(table, last + 25);
    for (const Row& row : rows) {
        TMenuEntry entry = EntryOf(row);
        entry.Y = last + 40 + 20 * row.y;
        table.Entries.append(entry);
    }
    table.Size.setHeight(table.Entries.last().Y + 30);
}

}  // namespace

QString TMenuEntry::Caption(const TSettingsList& settings) const {
    if (ToggleKey.isEmpty()) return Text;
    return TMenuTables::ToggleMark(settings.Value(ToggleKey)) + Text;
}

const TMenuEntry* TMenuTable::Find(TMenuCommand code) const {
    if (code == TMenuCommand::None) return nullptr;
    for (const TMenuEntry& entry : Entries)
        if (entry.Command == code) return &entry;
    return nullptr;
}

TMenuTable TMenuTables::Build(int menuNumber, const TSettingsList& settings) {
    TMenuTable table;
    if (menuNumber < kFile || menuNumber > kHelp) return table;
    table.MenuNumber = menuNumber;
    if (menuNumber == kFile) table.RecentFileCount = RecentFileCount(settings);
    table.Left = TMenuGeometry::LeftOffset(menuNumber);
    table.Size = TMenuGeometry::SizeOf(menuNumber, table.RecentFileCount);
    switch (menuNumber) {
        case kFile: AddFileMenu(table, settings); break;
        case kEdit: AddEditMenu(table); break;
        case kView: AddViewMenu(table); break;
        case kOption: AddOptionMenu(table); break;
        case kHelp: AddHelpMenu(table); break;
    }
    return table;
}

int TMenuTables::RecentFileCount(const TSettingsList& settings) {
    for (int number = 5; number >= 1; --number)
        if (settings.Value(QStringLiteral("RecentFile%1").arg(number)) != kNil) return number;
    return 0;
}

QString TMenuTables::FileNameOf(const QString& path) {
    qsizetype end = -1;
    for (QChar separator : {QChar(u'\\'), QChar(u'/'), QChar(u':')})
        end = std::max(end, path.lastIndexOf(separator));
    return path.mid(end + 1);
}

QString TMenuTables::ToggleMark(const QString& value) {
    return value == QStringLiteral("1") ? QStringLiteral("○") : QStringLiteral("×");
}

TMenuClosing TMenuTables::ClosingOf(TMenuCommand command) {
    switch (command) {
        case TMenuCommand::OpenFile:
        case TMenuCommand::SaveFileAs:
        case TMenuCommand::Import:
        case TMenuCommand::Export:
        case TMenuCommand::Print:
        case TMenuCommand::ExportPdf: return TMenuClosing::HideRunClose;
        case TMenuCommand::Find:
        case TMenuCommand::Replace:
        case TMenuCommand::ShowCount:
        case TMenuCommand::ShowVertical: return TMenuClosing::HideRun;
        default: return TMenuClosing::RunThenClose;
    }
}

void TMenuTables::AddFileMenu(TMenuTable& table, const TSettingsList& settings) {
    static const Row head[] = {
        {10, TMenuCommand::NewFile, u"新規作成", u"新しい文章を開きます。"},
        {30, TMenuCommand::OpenFile, u"開く", u"文章を開きます。"},
        {70, TMenuCommand::SaveFile, u"上書き保存", u"文章を上書き保存します。"},
        {90, TMenuCommand::SaveFileAs, u"名前を付けて保存",
         u"文章を名前を付けて、新たに保存します。"},
    };
    AddRows(table, head);
    AddSeparator(table, 55);
    AddSeparator(table, 115);
    const int n = table.RecentFileCount;
    for (int number = 1; number <= n; ++number) {
        TMenuEntry entry;
        entry.Command =
            static_cast<TMenuCommand>(static_cast<int>(TMenuCommand::RecentFile1) + number - 1);
        entry.Y = 130 + 20 * (number - 1);
        entry.Text = FileNameOf(settings.Value(QStringLiteral("RecentFile%1").arg(number)));
        table.Entries.append(entry);
    }
    if (n >= 1) AddSeparator(table, 135 + 20 * n);
    const Row exit = {n >= 1 ? 150 + 20 * n : 130, TMenuCommand::Exit, u"終了", nullptr};
    table.Entries.append(EntryOf(exit));
    static const Row interchange[] = {
        {0, TMenuCommand::Import, u"インポート",
         u"他の形式のファイルを読み込み、選択している項目の後に項目として加えます。"},
        {1, TMenuCommand::Export, u"エクスポート",
         u"文章全体か選択している項目以下を、他の形式のファイルに書き出します。"},
        {2, TMenuCommand::Print, u"印刷", u"文章全体か選択している項目以下を印刷します。"},
        {3, TMenuCommand::ExportPdf, u"PDF に書き出す",
         u"文章全体か選択している項目以下を、PDF ファイルに書き出します。"},
    };
    AddRowsBeyond(table, interchange);
}

void TMenuTables::AddEditMenu(TMenuTable& table) {
    static const Row rows[] = {
        {10, TMenuCommand::AddItem, u"項目を追加",
         u"現在選択している項目と同じ階層に、新しい項目を追加します。"},
        {30, TMenuCommand::AddChildItem, u"子項目を追加",
         u"現在選択している項目の下の階層に、新しい項目を追加します。"},
        {50, TMenuCommand::DeleteItem, u"項目を削除",
         u"現在選択している項目と、その子項目を削除します。"},
        {90, TMenuCommand::AddItemText, u"項目を張り付け",
         u"クリップボード内にある文章から、現在選択している項目と同じ階層に、新しい項目を追加します"
         u"。"},
        {110, TMenuCommand::AddChildItemText, u"子項目を張り付け",
         u"クリップボード内にある文章から、現在選択している項目の下の階層に、新しい項目を追加します"
         u"。"},
        {150, TMenuCommand::Cut, u"文章を切り取り",
         u"選択されている文章を、クリップボード内に切り取ります。"},
        {170, TMenuCommand::Copy, u"文章をコピー",
         u"選択されている文章を、クリップボード内にコピーします。"},
        {190, TMenuCommand::Paste, u"文章を張り付け", u"クリップボード内の文章を、張り付けます。"},
        {210, TMenuCommand::Undo, u"文章の編集を元に戻す", u"文章の編集を、取り消します。"},
    };
    AddRows(table, rows);
    AddSeparator(table, 75);
    AddSeparator(table, 135);
    static const Row tree[] = {
        {0, TMenuCommand::DuplicateItem, u"複製",
         u"現在選択している項目を、その子項目と文章ごと複製し、すぐ後に加えます。"},
        {1, TMenuCommand::SortChildrenAscending, u"昇順に並べ替え",
         u"現在選択している項目の子項目を、ラベルの昇順（あいうえお順）に並べ替えます。"},
        {2, TMenuCommand::SortChildrenDescending, u"降順に並べ替え",
         u"現在選択している項目の子項目を、ラベルの降順に並べ替えます。"},
    };
    AddRowsBeyond(table, tree);
    static const Row clipboard[] = {
        {0, TMenuCommand::CutItems, u"項目を切り取り",
         u"選択している項目を、その子項目と文章ごと、クリップボード内に切り取ります。"},
        {1, TMenuCommand::CopyItems, u"項目をコピー",
         u"選択している項目を、その子項目と文章ごと、クリップボード内にコピーします。"},
        {2, TMenuCommand::PasteItems, u"後に張り付け",
         u"クリップボード内の項目を、現在選択している項目の後に張り付けます。"},
        {3, TMenuCommand::PasteItemsAsChildren, u"子として張り付け",
         u"クリップボード内の項目を、現在選択している項目の子項目として張り付けます。"},
        {4, TMenuCommand::SplitItem, u"項目を分割",
         u"現在の項目の文章を、カーソルの位置で二つの項目に分けます。"},
        {5, TMenuCommand::JoinItems, u"項目を結合",
         u"選択している項目を、最初の項目にまとめます。文章は順につながります。"},
    };
    AddRowsBeyond(table, clipboard);
}

void TMenuTables::AddViewMenu(TMenuTable& table) {
    static const Row rows[] = {
        {10, TMenuCommand::Find, u"検索",
         u"現在開いているファイルから、指定した範囲で、文字列の検索をします。"},
        {30, TMenuCommand::Replace, u"置換",
         u"現在開いているファイルから、指定した範囲で、文字列を検索し、任意の文字列に置換します。"},
    };
    AddRows(table, rows);
    static const Row levels[] = {
        {0, TMenuCommand::ExpandAll, u"すべて開く", u"アウトラインのすべての項目を展開します。"},
        {1, TMenuCommand::CollapseAll, u"すべて閉じる",
         u"アウトラインのすべての項目を折りたたみます。"},
        {2, TMenuCommand::ShowLevel1, u"レベル 1", u"一番上の階層の項目だけを表示します。"},
        {3, TMenuCommand::ShowLevel2, u"レベル 2", u"上から 2 階層までの項目を表示します。"},
        {4, TMenuCommand::ShowLevel3, u"レベル 3", u"上から 3 階層までの項目を表示します。"},
        {5, TMenuCommand::ShowLevel4, u"レベル 4", u"上から 4 階層までの項目を表示します。"},
        {6, TMenuCommand::ShowLevel5, u"レベル 5", u"上から 5 階層までの項目を表示します。"},
        {7, TMenuCommand::ShowLevel6, u"レベル 6", u"上から 6 階層までの項目を表示します。"},
        {8, TMenuCommand::ShowLevel7, u"レベル 7", u"上から 7 階層までの項目を表示します。"},
        {9, TMenuCommand::ShowLevel8, u"レベル 8", u"上から 8 階層までの項目を表示します。"},
        {10, TMenuCommand::ShowLevel9, u"レベル 9", u"上から 9 階層までの項目を表示します。"},
    };
    AddRowsBeyond(table, levels);
    static const Row subtree[] = {
        {0, TMenuCommand::ExpandSelected, u"下位を開く",
         u"現在選択している項目と、その下のすべての項目を展開します。"},
        {1, TMenuCommand::CollapseSelected, u"下位を閉じる",
         u"現在選択している項目と、その下のすべての項目を折りたたみます。"},
    };
    AddRowsBeyond(table, subtree);
    static const Row count[] = {
        {0, TMenuCommand::ShowCount, u"文字数",
         u"現在の項目、下位を含む項目、選択範囲、文書全体の文字数と原稿用紙の枚数を表示します。"},
    };
    AddRowsBeyond(table, count);
    static const Row vertical[] = {
        {0, TMenuCommand::ShowVertical, u"縦書きプレビュー",
         u"現在の項目を原稿用紙に縦書きで組んで、ページごとに表示します。"},
    };
    AddRowsBeyond(table, vertical);
}

void TMenuTables::AddOptionMenu(TMenuTable& table) {
    static const Row rows[] = {
        {10, TMenuCommand::AutoLoad, u"自動読み込みを有効にする",
         u"起動時に、前回開いていたファイルを自動で読み込みます。", u"AutoLoad"},
        {30, TMenuCommand::AutoSave, u"自動保存を有効にする",
         u"終了時に、編集しているファイルを自動で保存します。", u"AutoSave"},
        {50, TMenuCommand::AutoBackup, u"自動バックアップを有効にする",
         u"保存時に、自動でファイルのバックアップをとります。拡張子を「qlo~」として保存します。",
         u"AutoBackup"},
        {90, TMenuCommand::EditorWordWrap, u"右端で折り返す",
         u"エディター内に入りきらない文章を、右端で折り返して表示します。", u"EditorWordWrap"},
        {110, TMenuCommand::TreeFont, u"　アウトラインのフォント設定をする",
         u"アウトラインの項目のラベル部分のフォントを設定します。"},
        {130, TMenuCommand::EditorFont, u"　エディターのフォント設定をする",
         u"エディターに表示される文章のフォントを設定します。"},
        {170, TMenuCommand::Associate, u"　「qlo」の拡張子を関連づける",
         u"「qlo」の拡張子を、本アプリケーションに関連づけます。"},
        {190, TMenuCommand::DeleteRegistry, u"　全てのレジストリ情報を削除する",
         u"本アプリケーションに関する、全てのレジストリ情報を削除します。"},
        {230, TMenuCommand::SetOption, u"　オプション設定",
         u"本アプリケーションに関する設定を行います。"},
    };
    AddRows(table, rows);
    AddSeparator(table, 75);
    AddSeparator(table, 155);
    AddSeparator(table, 215);
}

void TMenuTables::AddHelpMenu(TMenuTable& table) {
    static const Row rows[] = {
        {10, TMenuCommand::OpenHelp, u"ヘルプを参照する",
         u"ヘルプを参照します。ウェブブラウザーがインストールされている必要があります。"},
        {30, TMenuCommand::Version, u"バージョン情報",
         u"本アプリケーションのバージョン情報を表示します。"},
        {70, TMenuCommand::HomePage, u"brisbeck ホームページ",
         u"brisbeck "
         u"ホームページを訪れます。本アプリケーションの最新バージョンは、ここから入手してください"
         u"。"},
        {90, TMenuCommand::LatestVersion, u"最新バージョン情報を見る",
         u"インターネット経由で、最新バージョン情報のあるページを表示します。"},
    };
    AddRows(table, rows);
    AddSeparator(table, 55);
}
