#pragma once

#include <QString>
#include <QStringView>
#include <vector>

#include "ui/TSearchOptions.h"

// A text in the form a search compares under its options: every character replaced by
// the one standing for all its forms (a, Ａ and ａ become a when both options are on;
// ｶ becomes カ), and a half-width kana followed by its half-width voiced mark composed
// into one character (ｶﾞ becomes ガ). Without options it is the text itself, no copy.
//
// Positions in the folded text map back to the original, so that a match found there
// selects exactly the characters it covers.
class TFoldedText {
  public:
    // text must outlive this object.
    TFoldedText(QStringView text, TSearchOptions options);

    QStringView Text() const { return folded_; }

    // The position in the original text of folded position (0 .. Text().size()).
    qsizetype OriginOf(qsizetype folded) const;
    // The first folded position whose original position is at least original.
    qsizetype FoldedOf(qsizetype original) const;

  private:
    QString storage_;
    QStringView folded_;
    // origin_[i]: original position of folded position i; empty while both run in step.
    std::vector<qsizetype> origin_;
};
