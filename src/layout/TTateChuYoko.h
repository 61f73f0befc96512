#pragma once

#include <QStringView>
#include <vector>

#include "layout/TGraphemeUnits.h"

// Characters that vertical writing sets across the line in one cell (縦中横): a number
// of one or two half-width digits, and "!?", "!!", "?!" (half- or full-width). The
// layout gives them one cell for counting as well, so that counted pages and the pages
// of a vertical preview are the same.
class TTateChuYoko {
  public:
    // Joins the units of paragraph that one cell takes into one unit.
    static void Join(QStringView paragraph, std::vector<TGraphemeUnit>& units);

    // The length of the run that begins at paragraph[at] and takes one cell, or 0.
    static qsizetype RunAt(QStringView paragraph, qsizetype at);
};
