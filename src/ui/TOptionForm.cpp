#include "ui/TOptionForm.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "platform/TAccessibleCaptions.h"
#include "settings/TSettingsList.h"
#include "ui/TNodeNameCount.h"
#include "ui/TUpDown.h"

QPointer<TOptionForm> OptionForm;

namespace {

const QString kOn = QStringLiteral("1");
const QString kOff = QStringLiteral("0");

QFont DialogFont() {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(12);
    return font;
}

}  // namespace

TOptionForm* TOptionForm::SetOption(QWidget* owner, TSettingsList& settings) {
    if (OptionForm) {
        if (OptionForm->isVisible()) OptionForm->reject();
        OptionForm->deleteLater();
    }
    if (owner) owner->setEnabled(false);
    auto* form = new TOptionForm(owner, settings);
    OptionForm = form;
    form->LoadSettings();
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

// The dialog belongs to its owner, so that it stays in front of it and goes with it.
// As a window of its own it stays usable while the owner is disabled.
TOptionForm::TOptionForm(QWidget* owner, TSettingsList& settings)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      owner_(owner),
      settings_(settings) {
    setObjectName(QStringLiteral("OptionForm"));
    setWindowTitle(QStringLiteral("オプション設定"));
    setFont(DialogFont());
    setFixedSize(296, 160);
    CreateControls();
    setEnabled(true);
    PlaceOverOwner();
}

TOptionForm::~TOptionForm() {
    if (isVisible() && owner_) owner_->setEnabled(true);
}

void TOptionForm::CreateControls() {
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(128, 128, 75, 25);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setGeometry(216, 128, 75, 25);
    GroupBox1 = new QGroupBox(QStringLiteral("「項目を張り付ける」の設定"), this);
    GroupBox1->setGeometry(8, 8, 281, 105);
    AutoNodeNameCheck = new QCheckBox(QStringLiteral("項目名の自動挿入を有効にする"), GroupBox1);
    AutoNodeNameCheck->setGeometry(16, 24, 185, 17);
    NodeNameLimitterCheck =
        new QCheckBox(QStringLiteral("挿入する項目名の、文字列数を制限する。"), GroupBox1);
    NodeNameLimitterCheck->setGeometry(32, 48, 233, 17);
    NodeNameLimitterCountUpDown = new TUpDown(GroupBox1);
    NodeNameLimitterCountUpDown->setGeometry(89, 72, 15, 20);
    NodeNameLimitterCountUpDown->SetRange(TNodeNameCount::kMinimum, TNodeNameCount::kMaximum);
    NodeNameLimitterCountUpDown->SetPosition(TNodeNameCount::kInitial);
    NodeNameLimitterCountEdit = new QLineEdit(QString::number(TNodeNameCount::kInitial), GroupBox1);
    NodeNameLimitterCountEdit->setGeometry(48, 72, 41, 20);
    NodeNameLimitterCountUpDown->SetBuddy(NodeNameLimitterCountEdit);

    setTabOrder(OKButton, CancelButton);
    setTabOrder(CancelButton, AutoNodeNameCheck);
    setTabOrder(AutoNodeNameCheck, NodeNameLimitterCheck);
    setTabOrder(NodeNameLimitterCheck, NodeNameLimitterCountUpDown);
    setTabOrder(NodeNameLimitterCountUpDown, NodeNameLimitterCountEdit);

    connect(OKButton, &QPushButton::clicked, this, &TOptionForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &TOptionForm::CancelButtonClick);
    connect(AutoNodeNameCheck, &QCheckBox::toggled, this, &TOptionForm::AutoNodeNameCheckClick);
    connect(NodeNameLimitterCheck, &QCheckBox::toggled, this,
            &TOptionForm::NodeNameLimitterCheckClick);
    connect(NodeNameLimitterCountEdit, &QLineEdit::textChanged, this,
            &TOptionForm::NodeNameLimitterCountEditChange);
    NodeNameLimitterCountEdit->setAccessibleName(QStringLiteral("文字列数"));
    NodeNameLimitterCountUpDown->setAccessibleName(QStringLiteral("文字列数を増減"));
    TAccessibleCaptions::NameControls(this);
}

void TOptionForm::PlaceOverOwner() {
    if (!owner_) return;
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), owner_->geometry()));
}

void TOptionForm::LoadSettings() {
    AutoNodeNameCheck->setChecked(settings_.Value(u"AutoNodeName") == kOn);
    NodeNameLimitterCheck->setChecked(settings_.Value(u"NodeNameLimitter") == kOn);
    ApplyEnableRule();
    const int position = TNodeNameCount::StartPosition(settings_.Value(u"NodeNameLimitterCount"));
    NodeNameLimitterCountUpDown->SetPosition(position);
    NodeNameLimitterCountEdit->setText(QString::number(position));
}

void TOptionForm::AutoNodeNameCheckClick() { ApplyEnableRule(); }

void TOptionForm::NodeNameLimitterCheckClick() { ApplyEnableRule(); }

void TOptionForm::ApplyEnableRule() {
    const bool autoName = AutoNodeNameCheck->isChecked();
    const bool count = autoName && NodeNameLimitterCheck->isChecked();
    NodeNameLimitterCheck->setEnabled(autoName);
    NodeNameLimitterCountEdit->setEnabled(count);
    NodeNameLimitterCountUpDown->setEnabled(count);
}

void TOptionForm::NodeNameLimitterCountEditChange() {
    const QString text = NodeNameLimitterCountEdit->text();
    const QString corrected =
        TNodeNameCount::Correct(text, NodeNameLimitterCountUpDown->Position());
    if (corrected != text) {
        NodeNameLimitterCountEdit->setText(corrected);  // runs this handler again
        return;
    }
    NodeNameLimitterCountUpDown->SetPosition(corrected.toInt());
}

void TOptionForm::OKButtonClick() {
    settings_.SetValue(u"AutoNodeName", AutoNodeNameCheck->isChecked() ? kOn : kOff);
    settings_.SetValue(u"NodeNameLimitter", NodeNameLimitterCheck->isChecked() ? kOn : kOff);
    settings_.SetValue(u"NodeNameLimitterCount",
                       QString::number(NodeNameLimitterCountUpDown->Position()));
    accept();
}

void TOptionForm::CancelButtonClick() { reject(); }

void TOptionForm::done(int result) {
    QDialog::done(result);
    FormClose();
}

void TOptionForm::FormClose() {
    if (owner_) owner_->setEnabled(true);
}
