#pragma once

#include <QString>
#include <QStringView>
#include <optional>

#include "ui/TFoldedText.h"
#include "ui/TTextSearch.h"

// Finds a search text in texts under search options: without options by the editor's
// rule (exact characters), otherwise in the folded form of both (see TFoldedText).
// Matches are reported in the positions of the original text. An empty search text
// is never found.
class TTextMatcher {
  public:
    TTextMatcher(QStringView what, TSearchOptions options);

    bool IsEmpty() const { return what_.isEmpty(); }
    TSearchOptions Options() const { return options_; }
    bool HoldsLineBreak() const { return what_.contains(u'\n') || what_.contains(u'\r'); }

    // The first match starting at or behind from.
    std::optional<TTextSelection> FindFrom(QStringView text, qsizetype from) const;

    struct TMatches {
        // Matches from left to right, each starting behind the end of the one before
        // (as Find next walks through them).
        qsizetype count = 0;
        std::optional<TTextSelection> first;
    };
    TMatches Scan(QStringView text) const;

  private:
    TSearchOptions options_;
    QString what_;  // folded
};
