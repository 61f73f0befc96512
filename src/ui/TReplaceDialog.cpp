#include "ui/TReplaceDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/TAccessibleCaptions.h"

TReplaceDialog::TReplaceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReplaceDialog"));
    setWindowTitle(QStringLiteral("置換"));
    setModal(false);

    auto* findLabel = new QLabel(QStringLiteral("検索する文字列(&N):"), this);
    FindEdit = new QLineEdit(this);
    FindEdit->setObjectName(QStringLiteral("FindEdit"));
    FindEdit->setMinimumWidth(220);
    findLabel->setBuddy(FindEdit);
    auto* replaceLabel = new QLabel(QStringLiteral("置換後の文字列(&P):"), this);
    ReplaceEdit = new QLineEdit(this);
    ReplaceEdit->setObjectName(QStringLiteral("ReplaceEdit"));
    replaceLabel->setBuddy(ReplaceEdit);

    FindNextButton = new QPushButton(QStringLiteral("次を検索(&F)"), this);
    FindNextButton->setObjectName(QStringLiteral("FindNextButton"));
    FindNextButton->setDefault(true);
    ReplaceButton = new QPushButton(QStringLiteral("置換(&R)"), this);
    ReplaceButton->setObjectName(QStringLiteral("ReplaceButton"));
    ReplaceAllButton = new QPushButton(QStringLiteral("すべて置換(&A)"), this);
    ReplaceAllButton->setObjectName(QStringLiteral("ReplaceAllButton"));
    CancelButton = new QPushButton(QStringLiteral("キャンセル"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(findLabel, 0, 0);
    layout->addWidget(FindEdit, 0, 1);
    layout->addWidget(replaceLabel, 1, 0);
    layout->addWidget(ReplaceEdit, 1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(FindNextButton);
    buttons->addWidget(ReplaceButton);
    buttons->addWidget(ReplaceAllButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 3, 1);
    layout->setRowStretch(2, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(FindEdit, ReplaceEdit);
    setTabOrder(ReplaceEdit, FindNextButton);
    setTabOrder(FindNextButton, ReplaceButton);
    setTabOrder(ReplaceButton, ReplaceAllButton);
    setTabOrder(ReplaceAllButton, CancelButton);

    connect(FindNextButton, &QPushButton::clicked, this, &TReplaceDialog::Find);
    connect(ReplaceButton, &QPushButton::clicked, this, &TReplaceDialog::Replace);
    connect(ReplaceAllButton, &QPushButton::clicked, this, &TReplaceDialog::ReplaceAll);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(FindEdit, &QLineEdit::textChanged, this, &TReplaceDialog::UpdateButtons);
    TAccessibleCaptions::NameControls(this);
    UpdateButtons();
}

QString TReplaceDialog::FindText() const { return FindEdit->text(); }

void TReplaceDialog::SetFindText(const QString& text) { FindEdit->setText(text); }

QString TReplaceDialog::ReplaceText() const { return ReplaceEdit->text(); }

void TReplaceDialog::SetReplaceText(const QString& text) { ReplaceEdit->setText(text); }

void TReplaceDialog::ShowAndActivate() {
    show();
    raise();
    activateWindow();
    FindEdit->setFocus(Qt::OtherFocusReason);
    FindEdit->selectAll();
}

void TReplaceDialog::UpdateButtons() {
    const bool searchable = !FindEdit->text().isEmpty();
    FindNextButton->setEnabled(searchable);
    ReplaceButton->setEnabled(searchable);
    ReplaceAllButton->setEnabled(searchable);
}
