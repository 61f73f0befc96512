#include "app/TTextPreview.h"

#include <QEvent>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <utility>

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
            return std::min(lineStart + TTextPreview::kPreviewLineLength,
                            TTextPreview::kPreviewLength);
        if (lineEnd > TTextPreview::kPreviewLength)
            return lineStart > 0 ? lineStart - 1 : TTextPreview::kPreviewLength;
        lineStart = lineEnd + 1;
    }
    return text.size();
}

// Gives document text as setPlainText does, in parts of whole lines, and stops after the
// part at which cancelled is set: a preview left ends its building at once.
void FillInParts(QTextDocument& document, QStringView text, const std::atomic<bool>& cancelled) {
    constexpr qsizetype kPart = 1 << 20;
    document.setUndoRedoEnabled(false);
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (qsizetype start = 0; start < text.size() && !cancelled;) {
        const qsizetype lineEnd = text.indexOf(u'\n', std::min(start + kPart, text.size() - 1));
        const qsizetype end = lineEnd < 0 ? text.size() : lineEnd + 1;
        cursor.insertText(text.sliced(start, end - start).toString());
        start = end;
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(true);
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
        case QEvent::ContextMenu: return true;
        default: return false;
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

void TTextPreview::KeepLongLinesLaidOut(QTextDocument& document) {
    for (QTextBlock block = document.firstBlock(); block.isValid(); block = block.next())
        if (block.length() > kLongLine) block.layout()->setCacheEnabled(true);
}

void TTextPreview::Show(const QString& text, bool longLines) {
    Cancel();
    JoinEndedBuilds();
    editor_.setPlainText(text.left(PreviewLength(text)));
    editor_.setReadOnly(true);
    preview_ = editor_.document();
    previewRevision_ = preview_->revision();
    if (longLines) {
        // Nothing to gain from a document built aside: the editor lays such a line out as
        // soon as it holds it, and again in the editor's width.
        waitingText_ = text;
        return;
    }
    build_ = std::make_unique<TBuild>(++generation_);
    // The whole document is made as the editor's own would be: same font, same options.
    build_->worker =
        std::thread([this, build = build_.get(), text, font = preview_->defaultFont(),
                     option = preview_->defaultTextOption(), margin = preview_->documentMargin(),
                     gui = QThread::currentThread()] {
            auto whole = std::make_unique<QTextDocument>();
            whole->setDefaultFont(font);
            whole->setDefaultTextOption(option);
            whole->setDocumentMargin(margin);
            FillInParts(*whole, text, build->cancelled);
            if (build->cancelled) {
                whole.reset();  // here, where it was made: seconds for a huge text
                build->ended = true;
                return;
            }
            whole->moveToThread(gui);
            build->whole = std::move(whole);
            build->ended = true;
            QMetaObject::invokeMethod(
                this,
                [this, generation = build->generation] {
                    if (build_ && build_->generation == generation) Finish();
                },
                Qt::QueuedConnection);
        });
}

void TTextPreview::Finish() {
    if (!Showing()) return;
    std::unique_ptr<QTextDocument> whole;
    if (build_) {
        build_->worker.join();
        whole = std::move(build_->whole);
        build_.reset();
    }
    const QString text = std::exchange(waitingText_, QString());
    editor_.setReadOnly(false);
    if (editor_.document() == preview_ && preview_->revision() == previewRevision_) {
        const QSignalBlocker sameText(editor_);  // nothing changed for those who listen
        KeepingTheView([&] {
            if (whole) {
                whole->setDocumentLayout(new QPlainTextDocumentLayout(whole.get()));
                THugeTextShelf::Exchange(editor_, std::move(whole));  // the preview's document goes
            } else {
                // A visible editor lays a new text out twice over, a hidden one once.
                const bool visible = editor_.isVisible();
                if (visible) editor_.hide();
                editor_.setPlainText(text);
                KeepLongLinesLaidOut(*editor_.document());
                if (visible) editor_.show();
            }
        });
    }
    preview_ = nullptr;
}

void TTextPreview::Cancel() {
    if (!Showing()) return;
    waitingText_ = QString();
    if (build_) {
        build_->cancelled = true;
        cancelled_.push_back(std::move(build_));
    }
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

void TTextPreview::KeepingTheView(const std::function<void()>& putWhole) {
    const int anchor = editor_.textCursor().anchor();
    const int position = editor_.textCursor().position();
    const int topBlock = editor_.cursorForPosition(QPoint(0, 0)).blockNumber();
    const int left = editor_.horizontalScrollBar()->value();
    putWhole();
    // The whole text begins with the preview's: every position stands where it stood.
    QTextCursor wholeCaret(editor_.document());
    wholeCaret.setPosition(anchor);
    wholeCaret.setPosition(position, QTextCursor::KeepAnchor);
    editor_.setTextCursor(wholeCaret);
    editor_.verticalScrollBar()->setValue(topBlock);
    editor_.horizontalScrollBar()->setValue(left);
}

bool TTextPreview::eventFilter(QObject* watched, QEvent* event) {
    if (Showing() && StartsAnEdit(event->type())) Finish();
    return QObject::eventFilter(watched, event);
}
