#pragma once

#include <QString>
#include <optional>

class TSettingsList;

// The label an item takes from the first line of a text pasted into it, as the
// settings ask ("AutoNodeName", "NodeNameLimitter", "NodeNameLimitterCount").
class TAutoLabel {
  public:
    // Nothing when items keep their label. Throws AppError for a limit that is no number.
    static std::optional<QString> For(const TSettingsList& settings, const QString& firstLine);
};
