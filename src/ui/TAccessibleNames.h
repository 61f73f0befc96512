#pragma once

#include <QString>

struct TSkinElement;

// The short names a screen reader speaks for the skin's drawn elements; the hint line
// gives the longer explanation.
class TAccessibleNames {
  public:
    // Empty for elements that are not pressed (edges, the caption).
    static QString Of(const TSkinElement& element);
};
