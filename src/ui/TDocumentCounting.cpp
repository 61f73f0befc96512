#include "ui/TDocumentCounting.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

// What a block keeps of its counts.
struct TBlockCounts : QTextBlockUserData {
    TBlockCounts(const TTextCounts& counts, quint32 generation)
        : counts(counts), generation(generation) {}
    TTextCounts counts;
    quint32 generation;
};

// Marks a document as watched by a counting object.
const char* const kWatchedBy = "hedgerowCountingWatch";

}  // namespace

TDocumentCounting::TDocumentCounting(TLayoutOptions options, QObject* parent)
    : QObject(parent), layout_(options) {}

void TDocumentCounting::SetOptions(const TLayoutOptions& options) {
    if (options == layout_.Options()) return;
    layout_ = TLineLayout(options);
    ++generation_;
}

void TDocumentCounting::Watch(QTextDocument& document) {
    const QVariant watcher = document.property(kWatchedBy);
    if (watcher.value<QObject*>() == this) return;
    document.setProperty(kWatchedBy, QVariant::fromValue(static_cast<QObject*>(this)));
    // A document without a layout reports no change (an editor's always has one).
    document.documentLayout();
    connect(&document, &QTextDocument::contentsChange, this,
            [&document](int position, int, int added) {
                for (QTextBlock block = document.findBlock(position);
                     block.isValid() && block.position() <= position + added; block = block.next())
                    block.setUserData(nullptr);
            });
    // Blocks counted before the watch began may have changed unseen.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        block.setUserData(nullptr);
}

TTextCounts TDocumentCounting::Count(QTextDocument& document) {
    Watch(document);
    // An empty document is an empty text, which has no line.
    if (document.isEmpty()) return {};
    TTextCounts counts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const auto* kept = static_cast<const TBlockCounts*>(block.userData());
        if (kept && kept->generation == generation_) {
            counts += kept->counts;
            continue;
        }
        const QString text = block.text();
        // An empty block is an empty paragraph: a line of its own.
        const TTextCounts paragraph =
            text.isEmpty() ? layout_.CountParagraph(text) : layout_.Count(text);
        ++laidOut_;
        block.setUserData(new TBlockCounts(paragraph, generation_));
        counts += paragraph;
    }
    return counts;
}
