#pragma once

#include <QString>

// The one-line explanations the hint line shows for the skin's elements.
class TSkinHints {
  public:
    // The hint of an element code; empty for elements without one.
    static QString Of(int code);
};
