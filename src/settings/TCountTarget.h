#pragma once

#include <QString>
#include <optional>

// A length to write toward: a number of characters or of manuscript pages.
struct TCountTarget {
    enum class Unit { Characters, Pages };

    Unit unit = Unit::Characters;
    qint64 amount = 0;  // 0: no target

    bool IsSet() const { return amount > 0; }
    friend bool operator==(const TCountTarget&, const TCountTarget&) = default;

    // "3000字", "80枚": how a target is written in the settings.
    QString ToString() const;
    // Reads what ToString writes; nothing for anything else.
    static std::optional<TCountTarget> Parse(QStringView text);

    // The share of the target reached by achieved (characters or pages, as its unit), in
    // per mille up to 1000, and what is left to write (never below 0).
    int PerMille(qint64 achieved) const;
    qint64 Remaining(qint64 achieved) const;
};
