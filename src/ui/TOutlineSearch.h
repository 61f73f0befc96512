#pragma once

#include <QString>
#include <atomic>
#include <vector>

#include "document/TItemTextStore.h"
#include "ui/TSearchOptions.h"
#include "ui/TTextMatcher.h"

class TOutline;
class TOutlineItem;

// Finding a text in every item of the outline, labels and texts. The outline is copied
// first (numbers, labels, the shape, and the text the editor holds), so that the search
// itself can run on another thread while the user goes on working; the other texts are
// read from the item text files.
class TOutlineSearch {
  public:
    struct TItem {
        int itemNumber = 0;
        int parent = -1;  // index of the parent in the snapshot; -1 for a top-level item
        QString label;
        bool textGiven = false;  // text holds the item's text; otherwise its file does
        QString text;
    };

    struct TSnapshot {
        TItemTextStore store;      // the item text files
        std::vector<TItem> items;  // in outline order
    };

    // One item holding the search text.
    struct THit {
        int itemNumber = 0;
        QString path;  // the labels from the top level down to the item's, "親 › 子 › 孫"
        // Where the search text first stands: a line of the item's text, or the label
        // when only the label holds it; the mark covers the match in line.
        QString line;
        qsizetype markStart = 0;
        qsizetype markLength = 0;
        bool inText = false;  // the line is from the text (not the label)
        qsizetype count = 0;  // matches in the label and the text together
    };

    struct TResult {
        std::vector<THit> hits;  // in outline order
        qsizetype matchCount = 0;
        bool cancelled = false;
    };

    // The outline as it is now; editorItem's text is editorText (what the editor shows,
    // perhaps not yet stored).
    static TSnapshot Snapshot(const TOutline& outline, const TItemTextStore& store,
                              const TOutlineItem* editorItem, const QString& editorText);

    // Searches every item of the snapshot. Stops early, with cancelled set, as soon as
    // cancel turns true. An item text file that cannot be read counts as empty.
    static TResult Run(const TSnapshot& snapshot, const TTextMatcher& matcher,
                       const std::atomic<bool>& cancel);

    // The line of text around match, cut short around the match when it is long; the
    // mark is placed in the returned line.
    static QString LineAround(QStringView text, TTextSelection match, qsizetype* markStart);

    // The path shown for the item at index: its labels from the top level down, the
    // upper ones left out ("… › ") below kPathLevels levels.
    static QString PathOf(const TSnapshot& snapshot, int index);

    static constexpr int kPathLevels = 6;
    // Items one thread searches before it asks for more.
    static constexpr qsizetype kItemsPerRun = 250;
    static constexpr qsizetype kContextBefore = 30;
    static constexpr qsizetype kLineLength = 200;

  private:
    // Searches the items [begin, end) of the snapshot into result.
    static void RunRange(const TSnapshot& snapshot, const TTextMatcher& matcher,
                         const std::atomic<bool>& cancel, int begin, int end, TResult& result);
};
