#pragma once

#include <QObject>

#include "layout/TLineLayout.h"
#include "layout/TTextCounts.h"

class QTextDocument;

// The counts of an editor's document, kept block by block (every block a paragraph, or
// several where U+2028 breaks lines inside it) in the blocks themselves: a change of the
// document forgets the counts of the blocks it touched, so that after a keystroke only
// the paragraph typed into is laid out again and the others are only added up.
class TDocumentCounting : public QObject {
    Q_OBJECT

  public:
    explicit TDocumentCounting(TLayoutOptions options = {}, QObject* parent = nullptr);

    // Other options count every block anew.
    void SetOptions(const TLayoutOptions& options);
    TTextCounts Count(QTextDocument& document);

    // Blocks laid out since this object was made.
    qint64 LaidOut() const { return laidOut_; }

  private:
    // Forgets the counts of the blocks a change touches, from now on.
    void Watch(QTextDocument& document);

    TLineLayout layout_;
    quint32 generation_ = 1;  // counts of an earlier generation were taken with other options
    qint64 laidOut_ = 0;
};
