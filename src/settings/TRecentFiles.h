#pragma once

#include <QString>

class TSettingsList;

// The recent-file list: the settings "RecentFile1" (newest) to "RecentFile5", each a
// full path or "nil".
class TRecentFiles {
  public:
    static constexpr int kCount = 5;
    static QString Key(int number) { return QStringLiteral("RecentFile%1").arg(number); }

    // Moves path to the top: the entries above it move down one place, the ones
    // below stay; a path not in the list pushes the oldest entry out.
    static void Add(TSettingsList& settings, const QString& path);
};
