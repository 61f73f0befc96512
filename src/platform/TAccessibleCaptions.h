#pragma once

#include <QString>

class QWidget;

// Names a screen reader speaks for the controls of a dialog. A caption ending in its
// access key, "はい(&Y)" or "検索する文字列(&N):", is read without it: "はい",
// "検索する文字列".
class TAccessibleCaptions {
  public:
    static QString WithoutAccessKey(const QString& caption);
    // Every button, check box and labelled field below root that has no name of its own
    // gets its caption (a field: its label's) without the access key.
    static void NameControls(QWidget* root);
};
