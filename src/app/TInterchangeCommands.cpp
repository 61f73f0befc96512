#include "app/TInterchangeCommands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TItemTextBinding.h"
#include "document/TDocumentWriter.h"
#include "document/TOutline.h"
#include "interchange/TExporter.h"
#include "interchange/TImporter.h"
#include "interchange/TOutlineEntryList.h"
#include "platform/AppError.h"
#include "platform/TFileDialogs.h"
#include "platform/TMessageBoxes.h"
#include "ui/TPrintPreviewDialog.h"
#include "ui/TPrintedOutline.h"
#include "ui/TVerticalPrint.h"

namespace {

using Kind = TMessageBoxes::Kind;
using Answer = TMessageBoxes::Answer;

struct ExportChoice {
    const char16_t* filter;
    TExportFormat format;
};
const ExportChoice kExportChoices[] = {
    {u"階層付きテキスト Shift-JIS (*.txt)", TExportFormat::HierarchicalText},
    {u"階層付きテキスト UTF-8 (*.txt)", TExportFormat::HierarchicalTextUtf8},
    {u"Markdown (*.md)", TExportFormat::Markdown},
    {u"OPML (*.opml)", TExportFormat::Opml},
    {u"HTML (*.html)", TExportFormat::Html},
};

struct ImportChoice {
    const char16_t* filter;
    std::optional<TImportFormat> format;  // nothing: recognised from the content
};
const ImportChoice kImportChoices[] = {
    {u"読み込める形式 (*.txt *.md *.markdown *.opml *.xml *.ctd *.trln)", std::nullopt},
    {u"階層付きテキスト (*.txt)", TImportFormat::HierarchicalText},
    {u"Markdown (*.md *.markdown)", TImportFormat::Markdown},
    {u"OPML (*.opml *.xml)", TImportFormat::Opml},
    {u"インデント付きテキスト (*.txt)", TImportFormat::IndentedText},
    {u"テキストファイル (*.txt)", TImportFormat::PlainText},
    {u"CherryTree (*.ctd)", TImportFormat::CherryTree},
    {u"TreeLine (*.trln)", TImportFormat::TreeLine},
    {u"全てのファイル (*)", std::nullopt},
};

template <typename Choice, size_t N>
QStringList FiltersOf(const Choice (&choices)[N]) {
    QStringList filters;
    for (const Choice& choice : choices) filters << QString::fromUtf16(choice.filter);
    return filters;
}

// The choice of the filter the dialog reports.
template <typename Choice, size_t N>
const Choice& ChoiceAt(const Choice (&choices)[N], int filter) {
    return choices[std::clamp<qsizetype>(filter, 0, N - 1)];
}

// The editor's font in points, so that it keeps its size on paper.
QFont PrintFont(const QFont& editorFont) {
    QFont font = editorFont;
    if (font.pointSizeF() <= 0) font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    return font;
}

}  // namespace

// A PDF or a printing done in a thread of its own, so that the window stays usable
// meanwhile.
struct TInterchangeCommands::PageJob {
    QString doing;
    QThread* thread = nullptr;
    QPointer<QProgressDialog> progress;
    std::atomic<bool> cancelled{false};
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    QString failure;  // set by the thread, read after it ended
};

TInterchangeCommands::TInterchangeCommands(QWidget& window, TDocumentSession& session,
                                           TItemTextBinding& texts, QPlainTextEdit* editor,
                                           TMessageBoxes& boxes, TFileDialogs& dialogs,
                                           TErrorBox& errors)
    : window_(window),
      session_(session),
      texts_(texts),
      editor_(editor),
      boxes_(boxes),
      dialogs_(dialogs),
      errors_(errors),
      insertion_(session, texts, editor) {}

TInterchangeCommands::~TInterchangeCommands() { WaitForPages(true); }

QString TInterchangeCommands::DocumentName() const {
    const QString path = session_.Settings.Value(u"EditFile");
    if (path.isEmpty() || path == u"nil") return QStringLiteral("無題");
    return QFileInfo(path).completeBaseName();
}

QString TInterchangeCommands::StartFolder() const {
    const QString path = session_.Settings.Value(u"EditFile");
    if (path.isEmpty() || path == u"nil") return QDir::homePath();
    return QFileInfo(path).absolutePath();
}

TFileDialogs::Request TInterchangeCommands::RequestFor(const QString& title,
                                                       const QStringList& filters) const {
    TFileDialogs::Request request;
    request.title = title;
    request.startFolder = StartFolder();
    request.filters = filters;
    request.suggestedName = DocumentName();
    return request;
}

TOutlineEntryList::TextOf TInterchangeCommands::CurrentTexts() const {
    texts_.FinishShowing();
    const TOutlineItem* selected = texts_.SelectedItem();
    // The item the editor shows has its text in the editor, perhaps newer than its file.
    const QString editorText = selected ? texts_.EditorText() : QString();
    return [this, selected, editorText](const TOutlineItem& item) {
        return &item == selected ? editorText : session_.Store.Load(item.ItemNumber);
    };
}

std::optional<TOutlineEntries> TInterchangeCommands::ChooseEntries(const QString& action) {
    const std::optional<std::vector<const TOutlineItem*>> tops = ChooseTops(action);
    if (!tops) return std::nullopt;
    return TOutlineEntryList::FromSubtrees(*tops, CurrentTexts());
}

std::optional<std::vector<const TOutlineItem*>> TInterchangeCommands::ChooseTops(
    const QString& action) {
    if (session_.Outline().IsEmpty()) {
        boxes_.Ask(Kind::Warning, TDocumentWriter::EmptyOutlineText(), TMessageBoxes::Buttons::Ok);
        return std::nullopt;
    }
    const TOutlineItem* selected = texts_.SelectedItem();
    bool subtree = false;
    if (selected && session_.Outline().Count() > 1) {
        const Answer answer =
            boxes_.Ask(Kind::Confirmation,
                       QStringLiteral("選択している項目「%1」とその子項目だけを%2か？\n"
                                      "「いいえ」を選ぶと、文章全体を%2。")
                           .arg(selected->Label, action),
                       TMessageBoxes::Buttons::YesNoCancel);
        if (answer == Answer::Cancel) return std::nullopt;
        subtree = answer == Answer::Yes;
    }
    if (subtree) return std::vector<const TOutlineItem*>{selected};
    return TOutlineEntryList::TopItems(session_.Outline());
}

bool TInterchangeCommands::ConfirmLosses(int replacedBytes, const QString& unencodable) {
    if (!unencodable.isEmpty() &&
        boxes_.Ask(Kind::Confirmation,
                   QStringLiteral("次の文字はこの形式（Shift-JIS）で書き出せないため、「?」に"
                                  "置き換えて書き出されます。\n%1\n書き出しますか？")
                       .arg(unencodable),
                   TMessageBoxes::Buttons::YesNo) != Answer::Yes)
        return false;
    if (replacedBytes > 0 &&
        boxes_.Ask(Kind::Confirmation,
                   QStringLiteral("文字として読めないバイトが %1 個あります。この形式では書き"
                                  "出せないため、「\uFFFD」に置き換えて書き出されます。\n"
                                  "書き出しますか？")
                       .arg(replacedBytes),
                   TMessageBoxes::Buttons::YesNo) != Answer::Yes)
        return false;
    return true;
}

void TInterchangeCommands::Export() {
    errors_.Run([this] {
        const std::optional<std::vector<const TOutlineItem*>> tops =
            ChooseTops(QStringLiteral("書き出します"));
        if (!tops) return;
        // The tree only: the texts are read while the file is written.
        std::vector<const TOutlineItem*> items;
        TOutlineEntries entries = TOutlineEntryList::FromSubtrees(*tops, {}, &items);
        const TFileDialogs::Choice choice = dialogs_.AskSaveFile(
            RequestFor(QStringLiteral("エクスポート"), FiltersOf(kExportChoices)));
        if (choice.path.isEmpty()) return;
        const TExportFormat format = ChoiceAt(kExportChoices, choice.filter).format;
        const TOutlineEntryList::TextOf texts = CurrentTexts();
        TExporter::WriteFile(
            choice.path, format, entries, DocumentName(),
            [&](const TExport& exported) {
                return ConfirmLosses(exported.replacedBytes, exported.unencodable);
            },
            TOutlineEntryList::TextsFiller(entries, items, texts));
    });
}

void TInterchangeCommands::Import() {
    const TFileDialogs::Choice choice =
        dialogs_.AskOpenFile(RequestFor(QStringLiteral("インポート"), FiltersOf(kImportChoices)));
    if (choice.path.isEmpty()) return;
    const std::optional<TImportFormat> format = ChoiceAt(kImportChoices, choice.filter).format;
    TOutlineItem* selected = texts_.SelectedItem();
    errors_.Run([&] { ImportInto({choice.path}, format, selected); });
}

void TInterchangeCommands::ImportFiles(const QStringList& paths, TOutlineItem* after) {
    if (paths.isEmpty()) return;
    errors_.Run([&] { ImportInto(paths, std::nullopt, after); });
}

void TInterchangeCommands::ImportInto(const QStringList& paths,
                                      const std::optional<TImportFormat>& format,
                                      TOutlineItem* after) {
    // Every file is read before the outline changes: one that cannot be imported leaves
    // the document as it was.
    QList<TOutlineEntries> files;
    for (const QString& path : paths) {
        try {
            files << TImporter::ReadFile(path, format, TEntryTexts::AsFileBytes);
        } catch (const AppError& error) {
            throw AppError(QStringLiteral("%1 を取り込めません。\n%2")
                               .arg(QDir::toNativeSeparators(path), error.Text()));
        }
    }

    TOutline& outline = session_.Outline();
    TOutlineItem* parent = after ? after->Parent() : outline.Root();
    const int row = after ? after->Row() + 1 : parent->ChildCount();
    const QList<TOutlineItem*> tops = insertion_.Insert(files, parent, row);
    if (StartRedrawTimer) StartRedrawTimer();
    if (!tops.isEmpty()) texts_.SelectItem(tops.first());
}

void TInterchangeCommands::Print() {
    if (AskToWait()) return;
    errors_.Run([this] {
        const std::optional<TOutlineEntries> entries = ChooseEntries(QStringLiteral("印刷します"));
        if (!entries) return;
        const std::shared_ptr<QPrinter> printer = NewPrinter();
        TPrintedOutline::SetMargins(*printer);
        TPrintPreviewDialog preview(*entries, PrintFont(editor_->font()), *printer, &window_);
        if (preview.exec() != QDialog::Accepted) return;
        auto printed = std::make_shared<TPrintedOutline>(preview.Printed());
        StartPrinting(printer, [printer, printed](const Progress& progress) {
            return printed->Paint(*printer, progress);
        });
    });
}

std::shared_ptr<QPrinter> TInterchangeCommands::NewPrinter() const {
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(DocumentName());
    printer->setCreator(QStringLiteral("Hedgerow"));
    return printer;
}

void TInterchangeCommands::StartPrinting(std::shared_ptr<QPrinter> printer,
                                         std::function<bool(const Progress& progress)> paint) {
    StartPages(QStringLiteral("印刷"), QStringLiteral("印刷しています"),
               [printer, paint = std::move(paint)](const Progress& progress) {
                   bool stopped = false;
                   const bool complete = paint([&](int done, int total) {
                       stopped = !progress(done, total);
                       return !stopped;
                   });
                   // A print to a file that was stopped leaves no part of it behind.
                   if (stopped && !printer->outputFileName().isEmpty())
                       QFile::remove(printer->outputFileName());
                   if (!complete && !stopped)
                       throw AppError(QStringLiteral("印刷できませんでした。"));
               });
}

void TInterchangeCommands::ExportPdf() {
    if (AskToWait()) return;
    errors_.Run([this] {
        const std::optional<TOutlineEntries> entries =
            ChooseEntries(QStringLiteral("PDF に書き出します"));
        if (!entries) return;
        const TFileDialogs::Choice choice = dialogs_.AskSaveFile(
            RequestFor(QStringLiteral("PDF に書き出す"), {QStringLiteral("PDF (*.pdf)")}));
        if (choice.path.isEmpty()) return;
        const QFont font = PrintFont(editor_->font());
        StartPages(QStringLiteral("PDF に書き出す"), QStringLiteral("PDF に書き出しています"),
                   [path = choice.path, entries = *entries, font](const Progress& progress) {
                       TPrintedOutline::WritePdf(path, entries, font, progress);
                   });
    });
}

void TInterchangeCommands::PrintVertical(const TVerticalPages& pages, const TVerticalStyle& style) {
    if (AskToWait()) return;
    errors_.Run([&] {
        const std::shared_ptr<QPrinter> printer = NewPrinter();
        TVerticalPrint::SetPageLayout(*printer);
        QPrintDialog dialog(printer.get(), &window_);
        if (dialog.exec() != QDialog::Accepted) return;
        // The painting thread has pages of its own: the editor goes on changing the shown ones.
        auto copy = std::make_shared<TVerticalPages>(pages);
        StartPrinting(printer, [printer, copy, style](const Progress& progress) {
            return TVerticalPrint(*copy, style).Paint(*printer, progress);
        });
    });
}

void TInterchangeCommands::ExportVerticalPdf(const TVerticalPages& pages,
                                             const TVerticalStyle& style) {
    if (AskToWait()) return;
    errors_.Run([&] {
        const TFileDialogs::Choice choice = dialogs_.AskSaveFile(
            RequestFor(QStringLiteral("PDF に書き出す"), {QStringLiteral("PDF (*.pdf)")}));
        if (choice.path.isEmpty()) return;
        auto copy = std::make_shared<TVerticalPages>(pages);
        StartPages(QStringLiteral("PDF に書き出す"), QStringLiteral("PDF に書き出しています"),
                   [path = choice.path, copy, style](const Progress& progress) {
                       TVerticalPrint::WritePdf(path, *copy, style, progress);
                   });
    });
}

bool TInterchangeCommands::AskToWait() {
    if (!Busy()) return false;
    boxes_.Ask(Kind::Information,
               QStringLiteral("%1。終わるまでお待ちください。").arg(pages_->doing),
               TMessageBoxes::Buttons::Ok);
    return true;
}

void TInterchangeCommands::StartPages(const QString& title, const QString& doing, PageWork work) {
    pages_ = std::make_unique<PageJob>();
    pages_->doing = doing;
    PageJob* job = pages_.get();
    job->thread = QThread::create([job, work = std::move(work)] {
        try {
            work([job](int done, int total) {
                job->done = done;
                job->total = total;
                return !job->cancelled;
            });
        } catch (const AppError& error) {
            job->failure = error.Text();
        }
    });

    auto* progress =
        new QProgressDialog(doing + u'…', QStringLiteral("キャンセル"), 0, 0, &window_);
    progress->setWindowTitle(title);
    progress->setWindowModality(Qt::NonModal);
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->setMinimumDuration(0);
    job->progress = progress;
    connect(progress, &QProgressDialog::canceled, this, [job] { job->cancelled = true; });
    auto* timer = new QTimer(progress);
    connect(timer, &QTimer::timeout, progress, [job, progress] {
        if (job->total > 0) {
            progress->setMaximum(job->total);
            progress->setValue(job->done);
            progress->setLabelText(QStringLiteral("%1… %2 / %3 ページ")
                                       .arg(job->doing)
                                       .arg(job->done)
                                       .arg(job->total));
        }
    });
    timer->start(100);
    connect(job->thread, &QThread::finished, this, &TInterchangeCommands::FinishPages);
    job->thread->start();
    progress->show();
}

void TInterchangeCommands::FinishPages() {
    if (!pages_) return;
    pages_->thread->wait();
    delete pages_->thread;
    if (pages_->progress) pages_->progress->close();
    const QString failure = pages_->failure;
    pages_.reset();
    if (!failure.isEmpty()) errors_.Show(failure);
}

bool TInterchangeCommands::Busy() const { return pages_ != nullptr; }

void TInterchangeCommands::WaitForPages(bool cancel) {
    if (!pages_) return;
    if (cancel) pages_->cancelled = true;
    pages_->thread->wait();
    FinishPages();
}
