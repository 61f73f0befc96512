#pragma once

#include <QString>

enum class SkinCode;

// The one-line explanations the hint line shows for the skin's elements.
class TSkinHints {
  public:
    // The hint of an element code; empty for elements without one.
    static QString Of(SkinCode code);
};
