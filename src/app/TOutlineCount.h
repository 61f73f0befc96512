#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "layout/TGridSize.h"
#include "layout/TLayoutOptions.h"
#include "layout/TTextCounter.h"
#include "ui/TCountModel.h"
#include "ui/TCountRunner.h"
#include "ui/TCountWindow.h"
#include "ui/TDocumentCounting.h"

class QPlainTextEdit;
class TDocumentSession;
class TItemTextBinding;
class TSettingsList;
class TOutlineItem;

// The "文字数" window kept up to date while it is shown: the editor's text is counted on
// this thread, paragraph by paragraph with the paragraphs seen before taken from a cache,
// as the user types or selects; the other items are counted from their files on the
// runner's thread after the outline changes, each item once as long as its file stays.
// The window's place and options are settings; so are the targets, by document path.
class TOutlineCount : public QObject {
    Q_OBJECT

  public:
    TOutlineCount(TDocumentSession& session, TItemTextBinding& texts, QPlainTextEdit* editor,
                  QWidget* owner);
    ~TOutlineCount() override;

    // The manuscript grid and the ruby option the settings name; the vertical preview
    // lays out by them too.
    static TLayoutOptions OptionsOf(const TSettingsList& settings);

    // Told after the user changed the grid or the ruby option.
    std::function<void()> OptionsChanged;

    // Shows the window beside the main window (where it was last), counting everything.
    void Show();
    bool Shown() const;

    // The editor's text or its selection changed.
    void EditorChanged();
    void EditorSelectionChanged();
    // Another item became the current one (its text now in the editor).
    void CurrentItemChanged();
    // Items were added, removed or moved; with reset, the outline is another one (its
    // item files too).
    void OutlineChanged(bool reset);

    TCountWindow* Window() const { return window_.get(); }
    TCountRunner& Runner() { return runner_; }
    const TCountModel& Model() const { return model_; }

  private:
    void CreateWindow();
    void ReadOptions();
    void SetOptions(const TLayoutOptions& options);
    void RememberPlace();
    // Counts the outline again on the runner's thread; items whose counts are known keep
    // them.
    void StartCounting();
    void TakeCounts(const TOutlineSearch::TSnapshot& snapshot,
                    const std::vector<TTextCounts>& counts);
    void CountEditor();
    void CountSelection();
    // Shows the model's sums and the targets' progress.
    void ShowCounts();
    void ShowTargets();
    void SetTarget(TCountWindow::TTargetKind kind, const TCountTarget& target);
    QString DocumentPath() const;
    QStringList LabelsOfCurrentItem() const;

    TDocumentSession& session_;
    TItemTextBinding& texts_;
    QPlainTextEdit* editor_;
    QWidget* owner_;
    std::unique_ptr<TCountWindow> window_;
    TLayoutOptions options_;
    TCountModel model_;
    TCountRunner runner_;
    TDocumentCounting editorCounting_;
    TTextCounter selectionCounter_;
    TOutlineCounting::TKnown known_;  // counts of item files, by item number
    int currentNumber_ = -1;          // the item whose text the editor holds
    bool currentEdited_ = false;      // typed into since it became current
    QTimer editorTimer_;              // counts the editor once after a burst of changes
    QTimer outlineTimer_;             // counts the outline once after a burst of changes
};
