#include "settings/TRecentFiles.h"

#include "settings/TSettingsList.h"

void TRecentFiles::Add(TSettingsList& settings, const QString& path) {
    int found = 0;
    for (int n = 1; n <= kCount && !found; ++n)
        if (settings.Value(Key(n)) == path) found = n;
    if (found == 1) return;
    if (found) {
        // A free ("nil") entry above the found one stays free.
        for (int n = found; n >= 2; --n)
            if (settings.Value(Key(n)) != QStringLiteral("nil"))
                settings.SetValue(Key(n), settings.Value(Key(n - 1)));
    } else {
        for (int n = kCount; n >= 2; --n) settings.SetValue(Key(n), settings.Value(Key(n - 1)));
    }
    settings.SetValue(Key(1), path);
}
