#include "ui/TFindDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("検索"));
    setModal(false);

    auto* label = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindEdit->setMinimumWidth(220);
    label->setBuddy(FindEdit);

    FindNextButton = new QPushButton(QStringLiteral("次を検索(&F)"), this);
    FindNextButton->setObjectName(QStringLiteral("FindNextButton"));
    FindNextButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(FindEdit, 0, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(FindNextButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 2, 1);
    layout->setRowStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(FindEdit, FindNextButton);
    setTabOrder(FindNextButton, CancelButton);

    connect(FindNextButton, &QPushButton::clicked, this, &TFindDialog::Find);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(FindEdit, &QLineEdit::textChanged, this, &TFindDialog::UpdateButtons);
    UpdateButtons();
}

QString TFindDialog::FindText() const { return FindEdit->text(); }

void TFindDialog::SetFindText(const QString& text) { FindEdit->setText(text); }

void TFindDialog::ShowAndActivate() {
    show();
    raise();
    activateWindow();
    FindEdit->setFocus(Qt::OtherFocusReason);
    FindEdit->selectAll();
}

void TFindDialog::UpdateButtons() { FindNextButton->setEnabled(!FindEdit->text().isEmpty()); }
