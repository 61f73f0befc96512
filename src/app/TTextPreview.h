#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class QPlainTextEdit;
class QTextDocument;

// Building the editor's document of a huge text takes seconds. The editor shows the
// beginning of the text at once, read-only, while the document of the whole text is built
// on a thread of its own; the whole document takes the preview's place as soon as it is
// ready, or at once (waiting for it) when the user starts to edit or something needs the
// whole text. The caret, the selection and the top line stay where the user left them.
//
// A line of millions of characters is laid out as a whole, which keeps the program busy
// for seconds: a text with such a line stays in its preview, which the user can read and
// scroll, until the user starts to edit; the editor takes the whole text only then.
class TTextPreview : public QObject {
  public:
    explicit TTextPreview(QPlainTextEdit& editor);
    ~TTextPreview() override;

    // Shows the beginning of text and starts building the whole; longLines: the text has
    // a line longer than kLongLine.
    void Show(const QString& text, bool longLines);
    bool Showing() const { return build_ != nullptr || !waitingText_.isNull(); }
    // Waits for the whole document and gives it to the editor; nothing while no preview
    // is shown.
    void Finish();
    // Stops showing the preview (another text takes its place): the whole is not waited
    // for; its building ends on its own.
    void Cancel();

    // A line's layout forgets its glyphs after each drawing, and the caret, blinking, asks
    // for them again: for a line of millions of characters each time takes seconds, so
    // that the program never rests. Such lines of document keep theirs.
    static void KeepLongLinesLaidOut(QTextDocument& document);

    // The number of characters a preview shows at most.
    static constexpr qsizetype kPreviewLength = 1 << 16;
    // The characters of a line a preview shows at most.
    static constexpr qsizetype kPreviewLineLength = 1 << 12;
    // Lines longer than this take seconds to lay out.
    static constexpr qsizetype kLongLine = 1 << 20;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct TBuild;
    // Runs putWhole, which gives the editor the whole text, and keeps the caret, the
    // selection and the top line where they were in the preview.
    void KeepingTheView(const std::function<void()>& putWhole);
    void JoinEndedBuilds();

    QPlainTextEdit& editor_;
    std::unique_ptr<TBuild> build_;  // of the preview shown
    QString waitingText_;            // the whole of a preview shown without a build
    std::vector<std::unique_ptr<TBuild>> cancelled_;  // ending on their own
    const QTextDocument* preview_ = nullptr;
    int previewRevision_ = 0;
    int generation_ = 0;  // of the latest build: a finished build of an earlier one is old news
};
