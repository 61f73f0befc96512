#include "app/TTextPreview.h"

#include <QEvent>
#include <algorithm>
#include <atomic>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QThread>

#include "app/THugeTextShelf.h"

namespace {

// As many whole lines as fit in the preview. Laying out a long line costs more than its
// length (breaking it anywhere): the first line longer than a screenful ends the preview
// after a screenful of it.
qsizetype PreviewLength(QStringView text) {
    qsizetype lineStart = 0;
    while (lineStart < text.size()) {
        qsizetype lineEnd = text.indexOf(u'\n', lineStart);
        if (lineEnd < 0) lineEnd = text.size();
        if (lineEnd - lineStart > TTextPreview::kPreviewLineLength)
            return std::min(lineStart + TTextPreview::kPreviewLineLength, TTextPreview::kPreviewLength);
        if (lineEnd > TTextPreview::kPreviewLength)
            return lineStart > 0 ? lineStart - 1 : TTextPreview::kPreviewLength;
        lineStart = lineEnd + 1;
    }
    return text.size();
}

qsizetype LongestLine(QStringView text) {
    qsizetype longest = 0;
    for (qsizetype start = 0; start <= text.size();) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0) end = text.size();
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

bool StartsAnEdit(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::DragEnter:
        case QEvent::Drop:
        case QEvent::ContextMenu:
            return true;
        default:
            return false;
    }
}

}  // namespace

struct TTextPreview::TBuild {
    explicit TBuild(int generation) : generation(generation) {}
    const int generation;
    std::thread worker;
    std::atomic<bool> cancelled{false};
    std::atomic<bool> ended{false};
    std::unique_ptr<QTextDocument> whole;  // the worker's until it ended
};

TTextPreview::TTextPreview(QPlainTextEdit& editor) : editor_(editor) {
    editor_.installEventFilter(this);
    editor_.viewport()->installEventFilter(this);
}

TTextPreview::~TTextPreview() {
    Cancel();
    for (const auto& build : cancelled_) build->worker.join();
}

void TTextPreview::Show(const QString& text) {
    Finish();
    JoinEndedBuilds();
    editor_.setPlainText(text.left(PreviewLength(text)));
    editor_.setReadOnly(true);
    preview_ = editor_.document();
    previewRevision_ = preview_->revision();
    build_ = std::make_unique<TBuild>(++generation_);
    // The whole document is made as the editor's own would be: same font, same options.
    build_->worker = std::thread([this, build = build_.get(), text, font = preview_->defaultFont(),
                                  option = preview_->defaultTextOption(), margin = preview_->documentMargin(),
                                  gui = QThread::currentThread()] {
        auto whole = std::make_unique<QTextDocument>();
        whole->setDefaultFont(font);
        whole->setDefaultTextOption(option);
        whole->setDocumentMargin(margin);
        whole->setPlainText(text);
        if (build->cancelled) {
            whole.reset();  // here, where it was made: seconds for a huge text
            build->ended = true;
            return;
        }
        whole->moveToThread(gui);
        build->whole = std::move(whole);
        build->ended = true;
        if (LongestLine(text) > kLongestLineLaidOutUnasked) return;
        QMetaObject::invokeMethod(
            this,
            [this, generation = build->generation] {
                if (build_ && build_->generation == generation) Finish();
            },
            Qt::QueuedConnection);
    });
}

void TTextPreview::Finish() {
    if (!build_) return;
    build_->worker.join();
    std::unique_ptr<QTextDocument> whole = std::move(build_->whole);
    build_.reset();
    editor_.setReadOnly(false);
    if (editor_.document() == preview_ && preview_->revision() == previewRevision_)
        TakeWholeDocument(std::move(whole));
    preview_ = nullptr;
}

void TTextPreview::Cancel() {
    if (!build_) return;
    build_->cancelled = true;
    cancelled_.push_back(std::move(build_));
    editor_.setReadOnly(false);
    preview_ = nullptr;
    JoinEndedBuilds();
}

void TTextPreview::JoinEndedBuilds() {
    std::erase_if(cancelled_, [](const std::unique_ptr<TBuild>& build) {
        if (!build->ended) return false;
        build->worker.join();
        return true;
    });
}

void TTextPreview::TakeWholeDocument(std::unique_ptr<QTextDocument> whole) {
    const int anchor = editor_.textCursor().anchor();
    const int position = editor_.textCursor().position();
    const int topBlock = editor_.cursorForPosition(QPoint(0, 0)).blockNumber();
    const int left = editor_.horizontalScrollBar()->value();
    whole->setDocumentLayout(new QPlainTextDocumentLayout(whole.get()));
    const QSignalBlocker sameText(editor_);  // nothing changed for those who listen
    THugeTextShelf::Exchange(editor_, std::move(whole));  // the preview's document goes
    // The whole text begins with the preview's: every position stands where it stood.
    QTextCursor wholeCaret(editor_.document());
    wholeCaret.setPosition(anchor);
    wholeCaret.setPosition(position, QTextCursor::KeepAnchor);
    editor_.setTextCursor(wholeCaret);
    editor_.verticalScrollBar()->setValue(topBlock);
    editor_.horizontalScrollBar()->setValue(left);
    if (Finished) Finished();
}

bool TTextPreview::eventFilter(QObject* watched, QEvent* event) {
    if (build_ && StartsAnEdit(event->type())) Finish();
    return QObject::eventFilter(watched, event);
}
