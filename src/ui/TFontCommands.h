#pragma once

#include <QStringView>

#include "ui/TFontSettings.h"

class QWidget;
class TFontPicker;
class TSettingsList;

// The outline and editor font commands: the font dialog opens on the control's own
// font and text colour; a chosen font goes to the control at once and into the four
// settings of the control's prefix. Cancelling changes nothing. Neither touches the
// document's modified flag.
class TFontCommands {
public:
    TFontCommands(TFontPicker& picker, TSettingsList& settings) : picker_(picker), settings_(settings) {}

    // "TreeFontName", "TreeFontColor", "TreeFontSize", "TreeFontStyle".
    bool TreeFontMenuClick(QWidget& tree) { return ChooseFont(tree, u"TreeFont"); }
    // "EditorFontName", "EditorFontColor", "EditorFontSize", "EditorFontStyle".
    bool EditorFontMenuClick(QWidget& editor) { return ChooseFont(editor, u"EditorFont"); }

    // Returns whether a font was chosen.
    bool ChooseFont(QWidget& control, QStringView keyPrefix);

    // The control's font and the colour of its text.
    static TFontChoice CurrentChoice(const QWidget& control);
    static void Apply(QWidget& control, const TFontChoice& choice);

private:
    TFontPicker& picker_;
    TSettingsList& settings_;
};
