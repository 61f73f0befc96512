#pragma once

#include <optional>

#include "ui/TFontSettings.h"

// The font dialog of the font commands: lets the user choose face, size, style and
// colour, starting from a given font. Tests put a fake in its place.
class TFontPicker {
  public:
    virtual ~TFontPicker() = default;

    // The chosen font and colour; nothing when the user cancelled.
    virtual std::optional<TFontChoice> Choose(const TFontChoice& current) = 0;
};
