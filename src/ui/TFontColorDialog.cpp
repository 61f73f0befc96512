#include "ui/TFontColorDialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <cstdlib>
#include <optional>
#include <tuple>

#include "platform/TAccessibleCaptions.h"

namespace {

// The group that holds the strike-out and underline boxes.
QGroupBox* EffectsGroup(const QWidget& dialog) {
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>())
        if (!group->findChildren<QCheckBox*>().isEmpty()) return group;
    return nullptr;
}

QIcon Swatch(const QColor& color) {
    QPixmap pixmap(16, 12);
    pixmap.fill(color.isValid() ? color : QColor(Qt::black));
    return QIcon(pixmap);
}

// The words of a style name that say neither weight nor slant: "Condensed" of
// "Condensed Bold Oblique".
QString KindOf(const QString& style) {
    static const QStringList kWeightAndSlant = {
        QStringLiteral("Regular"), QStringLiteral("Book"), QStringLiteral("Normal"),
        QStringLiteral("Roman"),   QStringLiteral("Bold"), QStringLiteral("Italic"),
        QStringLiteral("Oblique"),
    };
    QStringList kind;
    for (const QString& word : style.split(u' ', Qt::SkipEmptyParts))
        if (!kWeightAndSlant.contains(word, Qt::CaseInsensitive)) kind << word;
    return kind.join(u' ');
}

// How one of a face's own styles looks.
struct Look {
    bool bold;
    bool italic;
    int weight;
    QString kind;
};

Look LookOf(const QString& family, const QString& style) {
    const QFont font = QFontDatabase::font(family, style, 12);
    return {font.bold(), font.italic(), font.weight(), KindOf(style)};
}

}  // namespace

TFontColorDialog::TFontColorDialog(const TFontChoice& initial, QWidget* parent)
    : QFontDialog(parent) {
    setOption(QFontDialog::DontUseNativeDialog);
    setWindowTitle(QStringLiteral("フォント"));
    FindLists();
    AddEffects();
    TAccessibleCaptions::NameControls(this);
    // The dialog's own handlers come first: ours see the lists and the sample updated.
    connect(StyleList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFontColorDialog::StyleChosen);
    connect(FamilyList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TFontColorDialog::FamilyChosen);
    connect(this, &QFontDialog::currentFontChanged, this, &TFontColorDialog::DrawSample);
    connect(BoldBox, &QCheckBox::clicked, this, &TFontColorDialog::BoxClicked);
    connect(ItalicBox, &QCheckBox::clicked, this, &TFontColorDialog::BoxClicked);

    QFont shown = TFontSettings::InPoints(initial.Font);
    shown.setFamily(QFontInfo(initial.Font).family());
    bold_ = shown.bold();
    italic_ = shown.italic();
    kind_ = KindOf(QFontDatabase::styleString(shown));
    setCurrentFont(shown);
    Settle();
    SetColor(initial.Color.isValid() ? initial.Color : QColor(Qt::black));
    if (QLineEdit* sample = SampleEdit()) sample->setText(QStringLiteral("AaBbYyZz あア亜"));
}

// Bold and italic go first among the effects, the colour last.
void TFontColorDialog::AddEffects() {
    BoldBox = new QCheckBox(QStringLiteral("太字(&B)"), this);
    BoldBox->setObjectName(QStringLiteral("BoldBox"));
    ItalicBox = new QCheckBox(QStringLiteral("斜体(&T)"), this);
    ItalicBox->setObjectName(QStringLiteral("ItalicBox"));
    ColorButton = new QPushButton(QStringLiteral("色(&C)..."), this);
    ColorButton->setObjectName(QStringLiteral("ColorButton"));
    connect(ColorButton, &QPushButton::clicked, this, &TFontColorDialog::AskColor);
    QGroupBox* effects = EffectsGroup(*this);
    auto* box = effects ? qobject_cast<QBoxLayout*>(effects->layout())
                        : qobject_cast<QBoxLayout*>(layout());
    if (box) {
        const int before = effects ? effects->sizeHint().height() : 0;
        box->insertWidget(0, BoldBox);
        box->insertWidget(1, ItalicBox);
        box->addWidget(ColorButton);
        // The lists above keep their height.
        if (effects) resize(width(), height() + effects->sizeHint().height() - before);
        return;
    }
    if (QLayout* any = effects ? effects->layout() : layout())
        for (QWidget* widget : {static_cast<QWidget*>(BoldBox), static_cast<QWidget*>(ItalicBox),
                                static_cast<QWidget*>(ColorButton)})
            any->addWidget(widget);
}

void TFontColorDialog::SetColor(const QColor& color) {
    color_ = color.toRgb();
    ColorButton->setIcon(Swatch(color_));
    if (QLineEdit* sample = SampleEdit()) {
        QPalette palette = sample->palette();
        palette.setColor(QPalette::Text, color_);
        sample->setPalette(palette);
    }
}

TFontChoice TFontColorDialog::Choice() const { return {currentFont(), color_}; }

void TFontColorDialog::AskColor() {
    const QColor chosen = QColorDialog::getColor(color_, this, QStringLiteral("色の設定"));
    if (chosen.isValid()) SetColor(chosen);
}

// The sample text sits in a group of its own; the other edit boxes belong to the
// dialog directly.
QLineEdit* TFontColorDialog::SampleEdit() const {
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        if (qobject_cast<QGroupBox*>(edit->parentWidget())) return edit;
    return nullptr;
}

// The dialog lists faces, styles and sizes, in this order, each in a list of its own.
void TFontColorDialog::FindLists() {
    const QList<QListView*> lists = findChildren<QListView*>(Qt::FindDirectChildrenOnly);
    Q_ASSERT(lists.size() == 3);
    FamilyList = lists.value(0);
    StyleList = lists.value(1);
}

QString TFontColorDialog::CurrentFamily() const {
    return FamilyList->currentIndex().data().toString();
}

QString TFontColorDialog::CurrentStyle() const {
    return StyleList->currentIndex().data().toString();
}

void TFontColorDialog::BoxClicked() {
    bold_ = BoldBox->isChecked();
    italic_ = ItalicBox->isChecked();
    Settle();
}

// A style the user selects sets the boxes. When the dialog lists the styles anew (a
// change of face), it selects one by its name from nothing: the boxes stay.
void TFontColorDialog::StyleChosen(const QModelIndex& current, const QModelIndex& previous) {
    if (selecting_ || !current.isValid() || !previous.isValid()) return;
    const Look look = LookOf(CurrentFamily(), CurrentStyle());
    bold_ = look.bold;
    italic_ = look.italic;
    kind_ = look.kind;
    Settle();
}

void TFontColorDialog::FamilyChosen(const QModelIndex& current) {
    if (current.isValid()) Settle();
}

// Brings the style list and the sample to what the boxes ask for; what the face cannot
// give, the boxes give up (a face with a bold style only stays bold).
void TFontColorDialog::Settle() {
    selecting_ = true;
    SelectStyle();
    selecting_ = false;
    DrawSample();
    const QFont font = currentFont();
    bold_ = font.bold();
    italic_ = font.italic();
    BoldBox->setChecked(bold_);
    ItalicBox->setChecked(italic_);
}

// Selects the face's style that comes closest to the boxes without going beyond them
// (drawing thickens and slants, it cannot undo either), of the kind last chosen
// ("Condensed") where the face has it. The current style stays when it is as close;
// else the nearest to the regular or the bold weight, then the shortest name, is
// selected.
void TFontColorDialog::SelectStyle() {
    const QString family = CurrentFamily();
    if (family.isEmpty()) return;
    using Rank = std::tuple<int, int, int, qsizetype>;  // the lowest is the closest
    const auto rankOf = [&](const QString& style) -> std::optional<Rank> {
        const Look look = LookOf(family, style);
        if ((look.bold && !bold_) || (look.italic && !italic_)) return std::nullopt;
        const int agrees = int(look.bold == bold_) + int(look.italic == italic_);
        const int weight = look.bold ? QFont::Bold : QFont::Normal;
        return Rank{-agrees, look.kind == kind_ ? 0 : 1, std::abs(look.weight - weight),
                    style.size()};
    };
    QAbstractItemModel* styles = StyleList->model();
    int best = -1;
    Rank bestRank;
    for (int row = 0; row < styles->rowCount(); ++row) {
        const std::optional<Rank> rank = rankOf(styles->index(row, 0).data().toString());
        if (rank && (best < 0 || *rank < bestRank)) {
            best = row;
            bestRank = *rank;
        }
    }
    if (best < 0 || best == StyleList->currentIndex().row()) return;
    if (StyleList->currentIndex().isValid()) {
        const std::optional<Rank> current = rankOf(CurrentStyle());
        if (current && std::get<0>(*current) == std::get<0>(bestRank) &&
            std::get<1>(*current) == std::get<1>(bestRank))
            return;
    }
    StyleList->setCurrentIndex(styles->index(best, 0));
}

// The dialog builds its sample from the face's own styles; what the boxes ask for
// beyond the selected style is drawn here. What the dialog returns is the sample's font.
void TFontColorDialog::DrawSample() {
    QLineEdit* sample = SampleEdit();
    if (!sample || drawing_) return;
    QFont font = sample->font();
    bool drawBold = bold_ && !font.bold();
    bool drawItalic = italic_ && !font.italic();
    if (const QString style = CurrentStyle(); !style.isEmpty()) {
        // Back to the style as the face has it: the sample may still be drawn as asked
        // before.
        const QFont own = QFontDatabase::font(CurrentFamily(), style, font.pointSize());
        font.setWeight(own.weight());
        font.setStyle(own.style());
        font.setStyleName(own.styleName());
        drawBold = bold_ && !own.bold();
        drawItalic = italic_ && !own.italic();
    }
    if (drawBold || drawItalic)
        font.setStyleName(QString());  // a style name would pick the face's file
    if (drawBold) font.setBold(true);
    if (drawItalic) font.setItalic(true);
    if (font == sample->font()) return;
    sample->setFont(font);
    drawing_ = true;
    emit currentFontChanged(font);
    drawing_ = false;
}
