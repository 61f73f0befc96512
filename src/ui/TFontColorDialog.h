#pragma once

#include <QFontDialog>

#include "ui/TFontSettings.h"

class QCheckBox;
class QLineEdit;
class QListView;
class QModelIndex;
class QPushButton;

// The font dialog with a colour choice among its effects, like the desktop's own font
// dialog: face, style, size, bold, italic, strike-out, underline and the colour of the
// text. The colour button opens the colour dialog; the sample shows the chosen colour.
//
// The dialog opens on the face that the font is shown in: a family that only stands
// for another face ("ＭＳ Ｐゴシック" for IPAPGothic) is not among the faces listed.
//
// The bold and italic boxes work for every face. Where the face has a style that is
// bold or italic as asked, ticking a box selects that style, and selecting a style
// ticks the boxes as it is; where it has none (the IPA faces have a regular style only),
// the style stays and the text is drawn thickened or slanted. A change of face keeps
// the boxes as they are.
class TFontColorDialog : public QFontDialog {
    Q_OBJECT

  public:
    TFontColorDialog(const TFontChoice& initial, QWidget* parent = nullptr);

    QColor Color() const { return color_; }
    void SetColor(const QColor& color);

    // Font and colour as they stand in the dialog.
    TFontChoice Choice() const;

    QPushButton* ColorButton = nullptr;
    QCheckBox* BoldBox = nullptr;
    QCheckBox* ItalicBox = nullptr;
    QListView* FamilyList = nullptr;
    QListView* StyleList = nullptr;

  private:
    void AddEffects();
    void AskColor();
    QLineEdit* SampleEdit() const;

    void FindLists();
    QString CurrentFamily() const;
    QString CurrentStyle() const;

    void BoxClicked();
    void StyleChosen(const QModelIndex& current, const QModelIndex& previous);
    void FamilyChosen(const QModelIndex& current);
    void Settle();
    void SelectStyle();
    void DrawSample();

    QColor color_;
    // What the bold and italic boxes ask for.
    bool bold_ = false;
    bool italic_ = false;
    // The style's words besides weight and slant ("Condensed") as last chosen.
    QString kind_;
    bool selecting_ = false;
    bool drawing_ = false;
};
