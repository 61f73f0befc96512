#include "app/TTextPreview.h"

#include <QEvent>
#include <algorithm>
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

TTextPreview::TTextPreview(QPlainTextEdit& editor) : editor_(editor) {
    editor_.installEventFilter(this);
    editor_.viewport()->installEventFilter(this);
}

TTextPreview::~TTextPreview() {
    if (worker_.joinable()) worker_.join();
}

void TTextPreview::Show(const QString& text) {
    Finish();
    editor_.setPlainText(text.left(PreviewLength(text)));
    editor_.setReadOnly(true);
    preview_ = editor_.document();
    previewRevision_ = preview_->revision();
    const int generation = ++generation_;
    // The whole document is made as the editor's own would be: same font, same options.
    worker_ = std::thread([this, text, generation, font = preview_->defaultFont(),
                           option = preview_->defaultTextOption(), margin = preview_->documentMargin(),
                           gui = QThread::currentThread()] {
        auto document = std::make_unique<QTextDocument>();
        document->setDefaultFont(font);
        document->setDefaultTextOption(option);
        document->setDocumentMargin(margin);
        document->setPlainText(text);
        document->moveToThread(gui);
        built_ = std::move(document);
        if (LongestLine(text) > kLongestLineLaidOutUnasked) return;
        QMetaObject::invokeMethod(
            this, [this, generation] { if (generation == generation_) Finish(); }, Qt::QueuedConnection);
    });
}

void TTextPreview::Finish() {
    if (!worker_.joinable()) return;
    worker_.join();
    editor_.setReadOnly(false);
    if (editor_.document() == preview_ && preview_->revision() == previewRevision_) TakeWholeDocument();
    built_.reset();
    preview_ = nullptr;
}

void TTextPreview::TakeWholeDocument() {
    const int anchor = editor_.textCursor().anchor();
    const int position = editor_.textCursor().position();
    const int topBlock = editor_.cursorForPosition(QPoint(0, 0)).blockNumber();
    const int left = editor_.horizontalScrollBar()->value();
    built_->setDocumentLayout(new QPlainTextDocumentLayout(built_.get()));
    const QSignalBlocker sameText(editor_);  // nothing changed for those who listen
    THugeTextShelf::Exchange(editor_, std::move(built_));  // the preview's document goes
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
    if (worker_.joinable() && StartsAnEdit(event->type())) Finish();
    return QObject::eventFilter(watched, event);
}
