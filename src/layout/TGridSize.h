#pragma once

#include <QList>
#include <QString>
#include <optional>

// The manuscript paper a text is laid out on: columns (cells of a grid line) by rows
// (grid lines of a page). 20 × 20 is the common 400-character sheet.
struct TGridSize {
    int columns = 20;
    int rows = 20;

    friend bool operator==(const TGridSize&, const TGridSize&) = default;

    // "20x20": how the size is written on the command line and in the settings.
    QString ToString() const;
    // Reads "COLSxROWS" ("×" and "X" also separate); nothing for anything else or for a
    // size below 1 × 1 or above kLargest in either direction.
    static std::optional<TGridSize> Parse(QStringView text);
    // 20 × 20, 20 × 10, 40 × 30, 42 × 34.
    static const QList<TGridSize>& Presets();

    static constexpr int kLargest = 1000;
};
