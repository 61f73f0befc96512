#include "ui/TWordWrapCommand.h"

#include <QPlainTextEdit>

#include "settings/TSettingsList.h"

void TWordWrapCommand::Toggle(QPlainTextEdit& editor, TSettingsList& settings, bool& modified) {
    const bool wasModified = modified;
    const bool wraps = editor.lineWrapMode() != QPlainTextEdit::NoWrap;
    editor.setLineWrapMode(wraps ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    settings.SetValue(u"EditorWordWrap", wraps ? QStringLiteral("0") : QStringLiteral("1"));
    modified = wasModified;
}
