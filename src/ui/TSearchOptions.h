#pragma once

// How a search compares characters. Without options every character must match
// exactly (upper and lower case differ, Ａ is not A).
struct TSearchOptions {
    // Upper and lower case match each other (A = a).
    bool ignoreCase = false;
    // Full-width and half-width forms match each other (Ａ = A, ｶ = カ, ｶﾞ = ガ, the
    // ideographic space = the space).
    bool ignoreWidth = false;

    bool Any() const { return ignoreCase || ignoreWidth; }
    friend bool operator==(const TSearchOptions&, const TSearchOptions&) = default;
};
