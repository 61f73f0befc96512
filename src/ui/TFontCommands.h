#pragma once

#include <QStringView>

#include "ui/TFontSettings.h"

class QWidget;
class TFontPicker;
class TSettingsList;

// The outline and editor font commands: the font dialog opens on the control's own
// font and text colour; a chosen font goes to the control at once and into the four
// settings of the control's prefix. Cancelling changes nothing, and neither does a
// choice that leaves everything as it was (see Unchanged). Neither touches the
// document's modified flag.
class TFontCommands {
  public:
    TFontCommands(TFontPicker& picker, TSettingsList& settings)
        : picker_(picker), settings_(settings) {}

    // "TreeFontName", "TreeFontColor", "TreeFontSize", "TreeFontStyle".
    bool TreeFontMenuClick(QWidget& tree) { return ChooseFont(tree, u"TreeFont"); }
    // "EditorFontName", "EditorFontColor", "EditorFontSize", "EditorFontStyle".
    bool EditorFontMenuClick(QWidget& editor) { return ChooseFont(editor, u"EditorFont"); }

    // Returns whether the control's font or colour changed.
    bool ChooseFont(QWidget& control, QStringView keyPrefix);

    // The control's font and the colour of its text.
    static TFontChoice CurrentChoice(const QWidget& control);
    // Whether a choice keeps the control as it is: the same face on screen (a family
    // that stands for another face equals that face: "ＭＳ Ｐゴシック" is shown in
    // IPAPGothic), the same size in whole points (12 pixels equal 9 points), the same
    // bold, italic, underline and strike-out, and the same colour (no colour counts as
    // black). These are what the dialog opens with, so pressing OK on it without a change
    // leaves the control's font and the settings alone, also where the settings hold
    // no font ("nil") or the control's family name is one the dialog does not list.
    static bool Unchanged(const TFontChoice& current, const TFontChoice& chosen);
    static void Apply(QWidget& control, const TFontChoice& choice);

  private:
    TFontPicker& picker_;
    TSettingsList& settings_;
};
