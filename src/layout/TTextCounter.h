#pragma once

#include <QHash>
#include <QStringView>

#include "layout/TLineLayout.h"

// Counts texts that change a little at a time (the text being typed): a paragraph's
// counts depend on its own text alone, so each is kept by its text and only paragraphs
// not seen before are laid out. Paragraphs that no pass has met since the one before
// are forgotten at the end of a pass, so the memory follows the text.
class TTextCounter {
  public:
    explicit TTextCounter(TLayoutOptions options = {});

    const TLayoutOptions& Options() const { return layout_.Options(); }
    // Other options lay every paragraph out anew.
    void SetOptions(const TLayoutOptions& options);

    // The counts of a whole text, as one pass.
    TTextCounts Count(QStringView text);

    // A text given in pieces, each ending a paragraph before the next (the blocks of an
    // editor's document): BeginPass, Add every piece, EndPass.
    void BeginPass();
    TTextCounts Add(QStringView piece);
    void EndPass();

    // Paragraphs laid out since the counter was made (what the cache saved is the rest).
    qint64 LaidOut() const { return laidOut_; }
    qsizetype Kept() const { return kept_.size(); }

  private:
    struct TKept {
        TTextCounts counts;
        quint32 pass = 0;  // the last pass that met the paragraph
    };

    TTextCounts Paragraph(QStringView paragraph);

    TLineLayout layout_;
    // By a 64-bit hash of the paragraph's text mixed with its length.
    QHash<quint64, TKept> kept_;
    quint32 pass_ = 1;
    qsizetype metThisPass_ = 0;
    qint64 laidOut_ = 0;
};
