#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/TEntryInsertion.h"
#include "interchange/TExportFormat.h"
#include "interchange/TImportFormat.h"
#include "interchange/TOutlineEntry.h"
#include "interchange/TOutlineEntryList.h"
#include "platform/TFileDialogs.h"

class QPlainTextEdit;
class QPrinter;
class QProgressDialog;
class QThread;
class QWidget;
class TDocumentSession;
class TErrorBox;
class TItemTextBinding;
class TMessageBoxes;
class TOutlineItem;

// Bringing files in and taking the outline out: import (from the menu and by dropping
// files on the outline), export, printing and PDF. An import is one change of the
// outline's history; an export is written whole or not at all and never changes the
// document.
class TVerticalPages;
struct TVerticalStyle;

class TInterchangeCommands : public QObject {
    Q_OBJECT

  public:
    TInterchangeCommands(QWidget& window, TDocumentSession& session, TItemTextBinding& texts,
                         QPlainTextEdit* editor, TMessageBoxes& boxes, TFileDialogs& dialogs,
                         TErrorBox& errors);
    ~TInterchangeCommands() override;

    void Import();
    void Export();
    void Print();
    void ExportPdf();
    // Vertical pages (as the "縦書きプレビュー" window shows them) printed after the print
    // dialog, or written as a PDF after the save dialog, in the background.
    void PrintVertical(const TVerticalPages& pages, const TVerticalStyle& style);
    void ExportVerticalPdf(const TVerticalPages& pages, const TVerticalStyle& style);
    // Files dropped on the outline: imported after the item under the pointer (nullptr:
    // after the last top-level item), all of them one change.
    void ImportFiles(const QStringList& paths, TOutlineItem* after);

    // Whether a PDF is being written or pages printed in the background.
    bool Busy() const;
    // Waits for the PDF or the printing; with cancel it stops it first (no file is left).
    void WaitForPages(bool cancel);

    // Told when an import changed the outline.
    std::function<void()> StartRedrawTimer;

  private:
    // The entries to take out: the whole document or the selected item with its
    // descendants, as the user chooses; nothing when the user cancelled or there is
    // nothing to take out. action: what is done with them ("書き出します").
    std::optional<TOutlineEntries> ChooseEntries(const QString& action);
    // The items whose subtrees ChooseEntries takes out, as the user chooses.
    std::optional<std::vector<const TOutlineItem*>> ChooseTops(const QString& action);
    // The texts of the items as they are now: the one the editor shows from the editor.
    TOutlineEntryList::TextOf CurrentTexts() const;
    QString DocumentName() const;
    QString StartFolder() const;
    // A file dialog's request, beginning in the document's folder with its name.
    TFileDialogs::Request RequestFor(const QString& title, const QStringList& filters) const;
    bool ConfirmLosses(int replacedBytes, const QString& unencodable);

    // Reads and imports the files; throws AppError before anything changed when one of
    // them cannot be imported.
    void ImportInto(const QStringList& paths, const std::optional<TImportFormat>& format,
                    TOutlineItem* after);

    // Pages written in the background: work is told how far it came and whether to go on
    // through progress, and throws AppError when it fails.
    using Progress = std::function<bool(int done, int total)>;
    using PageWork = std::function<void(const Progress& progress)>;
    // title: of the progress dialog; doing: what it shows ("PDF に書き出しています").
    void StartPages(const QString& title, const QString& doing, PageWork work);
    // A printer named after the document, for the print dialog to set up.
    std::shared_ptr<QPrinter> NewPrinter() const;
    // Prints in the background: paint paints every page on printer and says whether all
    // were painted, telling its progress.
    void StartPrinting(std::shared_ptr<QPrinter> printer,
                       std::function<bool(const Progress& progress)> paint);
    void FinishPages();
    // Tells the user to wait when pages are still being written; returns whether they are.
    bool AskToWait();

    QWidget& window_;
    TDocumentSession& session_;
    TItemTextBinding& texts_;
    QPlainTextEdit* editor_;
    TMessageBoxes& boxes_;
    TFileDialogs& dialogs_;
    TErrorBox& errors_;
    TEntryInsertion insertion_;

    // The PDF or the printing in the background.
    struct PageJob;
    std::unique_ptr<PageJob> pages_;
};
