#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "ui/TVerticalPreview.h"
#include "ui/TVerticalPreviewWindow.h"

class QPlainTextEdit;
class TDocumentSession;
class TItemTextBinding;
class TOutlineItem;

// The "縦書きプレビュー" window kept up to date while it is shown: the editor's item (with
// its descendants when asked) laid out vertically on the grid the "文字数" window counts
// with, the page holding the caret shown; a click on a cell puts the caret there. Its
// place and options are settings.
class TOutlineVertical : public QObject {
    Q_OBJECT

  public:
    TOutlineVertical(TDocumentSession& session, TItemTextBinding& texts, QPlainTextEdit* editor,
                     QWidget* owner);
    ~TOutlineVertical() override;

    // Shows the window beside the main window (where it was last).
    void Show();
    bool Shown() const;

    // The editor's text changed: its page is laid out again at once.
    void EditorChanged();
    void CaretMoved();
    // Another item became the current one, or items were added, removed or moved.
    void OutlineChanged();

    TVerticalPreviewWindow* Window() const { return window_.get(); }
    const TVerticalPreview& Preview() const { return preview_; }

    // Told to print the shown pages, or to write them as a PDF, as the window draws them.
    std::function<void(const TVerticalPages&, const TVerticalStyle&)> Print;
    std::function<void(const TVerticalPages&, const TVerticalStyle&)> WritePdf;

  private:
    void CreateWindow();
    void ReadOptions();
    void Gather();
    QString EditorText() const;
    void Turn(int by, bool toEnd);
    void PutCaret(int line, int cell);
    void SetFlag(const QString& key, bool on);
    void RememberPlace();

    TDocumentSession& session_;
    TItemTextBinding& texts_;
    QPlainTextEdit* editor_;
    QWidget* owner_;
    std::unique_ptr<TVerticalPreviewWindow> window_;
    TVerticalPreview preview_;
    bool subtree_ = false;
    bool mincho_ = true;
};
