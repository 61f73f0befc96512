#pragma once

class QPlainTextEdit;
class TSettingsList;

// The word-wrap toggle of the editor.
class TWordWrapCommand {
  public:
    // Switches wrapping at the editor's right edge off when the editor wraps now, else
    // on, and stores "EditorWordWrap" as "0" or "1". The decision follows the editor,
    // not the stored value. The text is unchanged and modified keeps the value it had
    // before, whatever the editor's change notification did to it meanwhile.
    static void Toggle(QPlainTextEdit& editor, TSettingsList& settings, bool& modified);
};
