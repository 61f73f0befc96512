#include "app/TCommandLineConversion.h"

#include <QFileInfo>
#include <QFont>
#include <QTextStream>
#include <optional>

#include "document/TDocumentReader.h"
#include "document/TDocumentWriter.h"
#include "interchange/TEntryTree.h"
#include "interchange/TExporter.h"
#include "interchange/TImporter.h"
#include "interchange/TOutlineEntryList.h"
#include "layout/TCountSum.h"
#include "layout/TGridSize.h"
#include "platform/AppError.h"
#include "platform/TSafeFile.h"
#include "ui/TOutlineCounting.h"
#include "ui/TPrintedOutline.h"
#include "ui/TVerticalPrint.h"

namespace {

const QString kExport = QStringLiteral("--export");
const QString kImport = QStringLiteral("--import");
const QString kCount = QStringLiteral("--count");
const QString kHelp = QStringLiteral("--help");
const QString kPdfVertical = QStringLiteral("pdf-vertical");
const QString kGrid = QStringLiteral("--grid");

// The options of a conversion and the names that are left.
struct Options {
    QHash<QString, QString> values;
    QStringList names;
};

// Splits the arguments after the mode into "--name value" options (those in valued),
// "--name" flags (those in flags, whose value is empty) and names.
Options Parse(const QStringList& arguments, const QStringList& valued,
              const QStringList& flags = {}) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (valued.contains(argument)) {
            if (i + 1 >= arguments.size())
                throw AppError(QStringLiteral("%1 の後に値がありません。").arg(argument));
            options.values.insert(argument, arguments[++i]);
        } else if (flags.contains(argument)) {
            options.values.insert(argument, QString());
        } else if (argument.startsWith(QStringLiteral("--"))) {
            throw AppError(QStringLiteral("%1 というオプションはありません。").arg(argument));
        } else {
            options.names << argument;
        }
    }
    return options;
}

Options ParseInputAndOutput(const QStringList& arguments, const QStringList& valued) {
    Options options = Parse(arguments, valued);
    if (options.names.size() != 2)
        throw AppError(QStringLiteral("入力と出力のファイルを 1 つずつ指定してください。"));
    return options;
}

// The entries of the document at path; with subtree (counted from 1 in outline order)
// those of that item and its descendants.
TOutlineEntries ReadDocument(const QString& path, const std::optional<int>& subtree) {
    QStringList texts;
    const TDocumentReader::Result document =
        TDocumentReader::ReadInMemory(TDocumentReader::ReadFile(path), texts);
    const TOutlineEntries all = TOutlineEntryList::FromOutline(
        document.outline, [&](const TOutlineItem& item) { return texts.value(item.ItemNumber); });
    if (!subtree) return all;
    if (*subtree < 1 || *subtree > all.size())
        throw AppError(QStringLiteral("--subtree %1: 文書には 1 から %2 までの項目があります。")
                           .arg(*subtree)
                           .arg(all.size()));
    return TExporter::Subtree(all, *subtree - 1);
}

void WarnAboutLosses(const TExport& exported, QTextStream& errors) {
    if (!exported.unencodable.isEmpty())
        errors << QStringLiteral(
                      "警告: 次の文字は Shift-JIS で書き出せないため、「?」に置き換えました。")
               << "\n"
               << exported.unencodable << "\n";
    if (exported.replacedBytes > 0)
        errors << QStringLiteral("警告: 文字として読めないバイト %1 個を U+FFFD に置き換えました。")
                      .arg(exported.replacedBytes)
               << "\n";
}

// The grid of --grid, 20 × 20 without it.
TGridSize GridOf(const Options& options) {
    if (!options.values.contains(kGrid)) return {};
    const std::optional<TGridSize> grid = TGridSize::Parse(options.values.value(kGrid));
    if (!grid)
        throw AppError(
            QStringLiteral("--grid の値は「20x20」のように 列数x行数 で指定してください。"));
    return *grid;
}

std::optional<TImportFormat> ImportFormatNamed(const QString& name) {
    static const QHash<QString, TImportFormat> formats = {
        {QStringLiteral("hier"), TImportFormat::HierarchicalText},
        {QStringLiteral("md"), TImportFormat::Markdown},
        {QStringLiteral("opml"), TImportFormat::Opml},
        {QStringLiteral("indent"), TImportFormat::IndentedText},
        {QStringLiteral("text"), TImportFormat::PlainText},
        {QStringLiteral("ctd"), TImportFormat::CherryTree},
        {QStringLiteral("trln"), TImportFormat::TreeLine},
    };
    const auto found = formats.constFind(name);
    if (found == formats.cend()) return std::nullopt;
    return *found;
}

}  // namespace

bool TCommandLineConversion::Requested(const QStringList& arguments) {
    return !arguments.isEmpty() && (arguments[0] == kExport || arguments[0] == kImport ||
                                    arguments[0] == kCount || arguments[0] == kHelp);
}

bool TCommandLineConversion::DrawsPages(const QStringList& arguments) {
    return arguments.size() >= 2 && arguments[0] == kExport &&
           (arguments[1] == u"pdf" || arguments[1] == kPdfVertical);
}

int TCommandLineConversion::Run(const QStringList& arguments, QTextStream& out,
                                QTextStream& errors) {
    try {
        if (arguments.value(0) == kHelp) {
            out << HelpText();
            return 0;
        }
        if (arguments.value(0) == kExport)
            Export(arguments, errors);
        else if (arguments.value(0) == kCount)
            Count(arguments, out);
        else
            Import(arguments, errors);
        return 0;
    } catch (const AppError& error) {
        errors << error.Text() << "\n";
        return 1;
    }
}

void TCommandLineConversion::Export(const QStringList& arguments, QTextStream& errors) {
    if (arguments.size() < 2) throw AppError(QStringLiteral("--export の後に形式がありません。"));
    const QString formatName = arguments[1];
    if (formatName == kPdfVertical) return ExportVertical(arguments.mid(1));
    const Options options = ParseInputAndOutput(
        arguments.mid(1), {QStringLiteral("--subtree"), QStringLiteral("--encoding")});
    std::optional<int> subtree;
    if (options.values.contains(QStringLiteral("--subtree"))) {
        bool ok = false;
        subtree = options.values.value(QStringLiteral("--subtree")).toInt(&ok);
        if (!ok) throw AppError(QStringLiteral("--subtree の値は項目の番号です。"));
    }
    const QString encoding = options.values.value(QStringLiteral("--encoding"));
    const bool utf8 = encoding.compare(QStringLiteral("utf-8"), Qt::CaseInsensitive) == 0 ||
                      encoding.compare(QStringLiteral("utf8"), Qt::CaseInsensitive) == 0;
    if (!encoding.isEmpty() && !utf8 && encoding.compare(u"shift-jis", Qt::CaseInsensitive) != 0)
        throw AppError(QStringLiteral("--encoding には utf-8 か shift-jis を指定してください。"));

    const TOutlineEntries entries = ReadDocument(options.names[0], subtree);
    const QString output = options.names[1];
    if (formatName == u"pdf") {
        TPrintedOutline::WritePdf(output, entries, QFont(QStringLiteral("IPAGothic"), 10));
        return;
    }
    const std::optional<TExportFormat> format = TExporter::FromName(formatName, utf8);
    if (!format)
        throw AppError(QStringLiteral("形式 '%1' は書き出せません（hier, md, opml, html, pdf）。")
                           .arg(formatName));
    TExporter::WriteFile(output, *format, entries, QFileInfo(options.names[0]).completeBaseName(),
                         [&](const TExport& exported) {
                             WarnAboutLosses(exported, errors);
                             return true;
                         });
}

void TCommandLineConversion::ExportVertical(const QStringList& arguments) {
    const Options options =
        Parse(arguments, {kGrid}, {QStringLiteral("--no-grid"), QStringLiteral("--ruby")});
    if (options.names.size() != 2)
        throw AppError(QStringLiteral("入力と出力のファイルを 1 つずつ指定してください。"));
    TLayoutOptions layout;
    layout.grid = GridOf(options);
    layout.countRuby = options.values.contains(QStringLiteral("--ruby"));
    TVerticalPages pages(layout);
    for (const TOutlineEntry& entry : ReadDocument(options.names[0], std::nullopt))
        pages.Add(entry.label, entry.text);
    TVerticalStyle style;
    style.font = QFont(QStringLiteral("IPAMincho"));
    style.manuscript = !options.values.contains(QStringLiteral("--no-grid"));
    TVerticalPrint::WritePdf(options.names[1], pages, style);
}

void TCommandLineConversion::Import(const QStringList& arguments, QTextStream& errors) {
    const Options options = ParseInputAndOutput(arguments, {QStringLiteral("--from")});
    std::optional<TImportFormat> format;
    if (options.values.contains(QStringLiteral("--from"))) {
        format = ImportFormatNamed(options.values.value(QStringLiteral("--from")));
        if (!format)
            throw AppError(
                QStringLiteral("形式 '%1' は読み込めません（hier, md, opml, indent, text, ctd, "
                               "trln）。")
                    .arg(options.values.value(QStringLiteral("--from"))));
    }
    const TOutlineEntries entries = TImporter::ReadFile(options.names[0], format);

    TOutline outline;
    QStringList texts;
    TEntryTree::Build(
        entries, outline.Root(), 0, [&](TOutlineItem* parent, int row, const TOutlineEntry& entry) {
            texts << entry.text;
            return outline.Insert(parent, row, entry.label, static_cast<int>(texts.size() - 1));
        });
    const TDocumentWriter::Output document = TDocumentWriter::Write(
        outline, [&](const TOutlineItem& item) { return texts.value(item.ItemNumber); });
    if (!document.Complete()) {
        TExport losses;
        losses.unencodable = document.unencodable;
        WarnAboutLosses(losses, errors);
    }
    TSafeFile::Replace(options.names[1], {document.head, document.texts}, {});
}

void TCommandLineConversion::Count(const QStringList& arguments, QTextStream& out) {
    const Options options =
        Parse(arguments, {QStringLiteral("--grid")}, {QStringLiteral("--ruby")});
    if (options.names.size() != 1)
        throw AppError(QStringLiteral("数える文書を 1 つ指定してください。"));
    TLayoutOptions layout;
    layout.countRuby = options.values.contains(QStringLiteral("--ruby"));
    layout.grid = GridOf(options);

    QStringList texts;
    const TDocumentReader::Result document =
        TDocumentReader::ReadInMemory(TDocumentReader::ReadFile(options.names[0]), texts);
    TOutlineSearch::TSnapshot snapshot =
        TOutlineSearch::Snapshot(document.outline, TItemTextStore(QString()), nullptr, QString());
    for (TOutlineSearch::TItem& item : snapshot.items) {
        item.textGiven = true;
        item.text = texts.value(item.itemNumber);
    }
    const std::atomic<bool> never(false);
    const std::vector<TTextCounts> counts = *TOutlineCounting::Run(snapshot, layout, never);
    const std::vector<int> levels = TOutlineCounting::Levels(snapshot);

    const int rows = layout.grid.rows;
    const auto line = [&out](const QString& level, QString label, const TCountSum& sum) {
        label.replace(u'\t', u' ');
        out << level << '\t' << label << '\t' << sum.Characters() << '\t' << sum.NonBlank() << '\t'
            << sum.Lines() << '\t' << sum.Pages() << '\n';
    };
    TCountSum total(rows);
    for (std::size_t index = 0; index < counts.size(); ++index) {
        TCountSum item(rows);
        item.Add(counts[index]);
        total += item;
        line(QString::number(levels[index]), snapshot.items[index].label, item);
    }
    line(QString(), QStringLiteral("合計"), total);
}

QString TCommandLineConversion::HelpText() {
    return QStringLiteral(
        "使い方:\n"
        "  hedgerow [文書.qlo]\n"
        "      文書を開いてウィンドウを表示します。\n"
        "  hedgerow --export 形式 [--subtree N] [--encoding utf-8] 文書.qlo 出力ファイル\n"
        "      文書を他の形式で書き出します。形式: hier（階層付きテキスト）, md（Markdown）,\n"
        "      opml（OPML）, html（HTML）, pdf（PDF）。\n"
        "      --subtree N      アウトラインの順で N 番目（1 から数えます）の項目と、\n"
        "                       その子項目だけを書き出します。\n"
        "      --encoding utf-8 階層付きテキストを UTF-8 で書き出します（既定は Shift-JIS）。\n"
        "  hedgerow --export pdf-vertical [--grid 列数x行数] [--no-grid] [--ruby] 文書.qlo\n"
        "           出力.pdf\n"
        "      文書のすべての項目を原稿用紙に縦書きで組んだ PDF を書き出します。項目ごとに\n"
        "      新しいページから始め、ページ数は --count の枚数の合計と同じです。\n"
        "      --grid 列数x行数 原稿用紙の大きさ（既定は 20x20）。\n"
        "      --no-grid        ます目を描かずに組みます。\n"
        "      --ruby           ルビの読みも親文字の後のます目に組みます（--count --ruby と\n"
        "                       同じ枚数になります）。\n"
        "  hedgerow --import [--from 形式] 入力ファイル 出力.qlo\n"
        "      他の形式のファイルを文書に変換します。形式は内容から判断します。\n"
        "      --from 形式      形式を指定します: hier, md, opml, indent（インデント付き\n"
        "                       テキスト）, text（テキストファイル）, ctd（CherryTree）,\n"
        "                       trln（TreeLine）。\n"
        "  hedgerow --count [--grid 列数x行数] [--ruby] 文書.qlo\n"
        "      文書の項目ごとに、アウトラインの順で 1 行ずつ、階層、ラベル、文字数、空白を\n"
        "      除いた文字数、行数、原稿用紙の枚数をタブ区切りで書き、最後に合計の行を\n"
        "      書きます（UTF-8）。\n"
        "      --grid 列数x行数 原稿用紙の大きさです（既定は 20x20）。\n"
        "      --ruby           ルビの読みも数えます。\n"
        "  hedgerow --help\n"
        "      この説明を表示します。\n"
        "\n"
        "変換と数えることはウィンドウを開かず、動いている hedgerow のファイルには触れません。\n"
        "失敗したときは理由を標準エラー出力に書き、0 以外の終了状態で終わります。\n"
        "出力ファイルは、すべて書き終えたときにだけ作られます。\n");
}
