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
// scroll, until the user starts to edit.
class TTextPreview : public QObject {
  public:
    explicit TTextPreview(QPlainTextEdit& editor);
    ~TTextPreview() override;

    // Called after the whole document took the preview's place.
    std::function<void()> Finished;

    // Shows the beginning of text and starts building the whole.
    void Show(const QString& text);
    bool Showing() const { return build_ != nullptr; }
    // Waits for the whole document and gives it to the editor; nothing while no preview
    // is shown.
    void Finish();
    // Stops showing the preview (another text takes its place): the whole is not waited
    // for; its building ends on its own.
    void Cancel();

    // The number of characters a preview shows at most.
    static constexpr qsizetype kPreviewLength = 1 << 16;
    // The characters of a line a preview shows at most.
    static constexpr qsizetype kPreviewLineLength = 1 << 12;
    // The longest line whose text takes the preview's place unasked.
    static constexpr qsizetype kLongestLineLaidOutUnasked = 1 << 20;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct TBuild;
    // The whole document takes the place of the preview, unless the editor was given
    // another text meanwhile.
    void TakeWholeDocument(std::unique_ptr<QTextDocument> whole);
    void JoinEndedBuilds();

    QPlainTextEdit& editor_;
    std::unique_ptr<TBuild> build_;  // of the preview shown
    std::vector<std::unique_ptr<TBuild>> cancelled_;  // ending on their own
    const QTextDocument* preview_ = nullptr;
    int previewRevision_ = 0;
    int generation_ = 0;  // of the latest build: a finished build of an earlier one is old news
};
