#pragma once

#include "layout/TGridSize.h"

// What a text is laid out and counted with.
struct TLayoutOptions {
    TGridSize grid;
    // Ruby readings count (and take cells) as well as their base text.
    bool countRuby = false;

    friend bool operator==(const TLayoutOptions&, const TLayoutOptions&) = default;
};
