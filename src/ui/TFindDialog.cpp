#include "ui/TFindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/TAccessibleCaptions.h"
#include "ui/TSearchHitDelegate.h"
#include "ui/TSearchResultModel.h"

namespace {

QCheckBox* NewCheck(const QString& caption, const QString& name, QWidget* parent) {
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(name);
    return check;
}

}  // namespace

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

    InOutlineCheck = NewCheck(QStringLiteral("すべての項目から検索(&O)"),
                              QStringLiteral("InOutlineCheck"), this);
    IgnoreCaseCheck = NewCheck(QStringLiteral("大文字と小文字を区別しない(&C)"),
                               QStringLiteral("IgnoreCaseCheck"), this);
    IgnoreWidthCheck = NewCheck(QStringLiteral("全角と半角を区別しない(&W)"),
                                QStringLiteral("IgnoreWidthCheck"), this);
    CreateResultPanel();

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(FindEdit, 0, 1);
    auto* checks = new QVBoxLayout;
    checks->addWidget(InOutlineCheck);
    checks->addWidget(IgnoreCaseCheck);
    checks->addWidget(IgnoreWidthCheck);
    layout->addLayout(checks, 1, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(FindNextButton);
    buttons->addWidget(CancelButton);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 2, 1);
    layout->addWidget(resultPanel_, 2, 0, 1, 3);
    layout->setRowStretch(2, 1);
    layout->setColumnStretch(1, 1);

    setTabOrder(FindEdit, FindNextButton);
    setTabOrder(FindNextButton, CancelButton);
    setTabOrder(CancelButton, InOutlineCheck);
    setTabOrder(InOutlineCheck, IgnoreCaseCheck);
    setTabOrder(IgnoreCaseCheck, IgnoreWidthCheck);
    setTabOrder(IgnoreWidthCheck, ResultView);

    connect(FindNextButton, &QPushButton::clicked, this, &TFindDialog::FindNextPressed);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // F3 goes on to the next match from the dialog as from the main window.
    auto* findNextKey = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(findNextKey, &QShortcut::activated, this, [this] {
        if (FindNextButton->isEnabled()) FindNextPressed();
    });
    connect(FindEdit, &QLineEdit::textChanged, this, [this] {
        UpdateButtons();
        emit SearchChanged();
    });
    for (QCheckBox* check : {IgnoreCaseCheck, IgnoreWidthCheck})
        connect(check, &QCheckBox::toggled, this, &TFindDialog::SearchChanged);
    connect(InOutlineCheck, &QCheckBox::toggled, this, [this] {
        UpdatePanel();
        emit SearchChanged();
    });
    connect(ResultView, &QTreeView::doubleClicked, this,
            [this](const QModelIndex& index) { emit ResultChosen(index.row()); });
    ResultView->setAccessibleName(QStringLiteral("見つかった項目"));
    TAccessibleCaptions::NameControls(this);
    UpdateButtons();
    UpdatePanel();
}

void TFindDialog::CreateResultPanel() {
    resultPanel_ = new QWidget(this);
    SummaryLabel = new QLabel(resultPanel_);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    results_ = new TSearchResultModel(this);
    ResultView = new QTreeView(resultPanel_);
    ResultView->setObjectName(QStringLiteral("ResultView"));
    ResultView->setModel(results_);
    ResultView->setRootIsDecorated(false);
    ResultView->setUniformRowHeights(true);
    ResultView->setAllColumnsShowFocus(true);
    ResultView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ResultView->setItemDelegateForColumn(TSearchResultModel::LineColumn,
                                         new TSearchHitDelegate(ResultView));
    ResultView->header()->setStretchLastSection(false);
    ResultView->header()->setSectionResizeMode(TSearchResultModel::LineColumn,
                                               QHeaderView::Stretch);
    ResultView->header()->resizeSection(TSearchResultModel::PathColumn, 200);
    ResultView->header()->resizeSection(TSearchResultModel::CountColumn, 50);
    ResultView->installEventFilter(this);
    auto* layout = new QVBoxLayout(resultPanel_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(SummaryLabel);
    layout->addWidget(ResultView);
}

QString TFindDialog::FindText() const { return FindEdit->text(); }

void TFindDialog::SetFindText(const QString& text) { FindEdit->setText(text); }

TSearchOptions TFindDialog::Options() const {
    return {IgnoreCaseCheck->isChecked(), IgnoreWidthCheck->isChecked()};
}

bool TFindDialog::InOutline() const { return InOutlineCheck->isChecked(); }

void TFindDialog::SetInOutline(bool inOutline) { InOutlineCheck->setChecked(inOutline); }

void TFindDialog::ShowAndActivate() {
    show();
    raise();
    activateWindow();
    FindEdit->setFocus(Qt::OtherFocusReason);
    FindEdit->selectAll();
}

void TFindDialog::ShowResult(TOutlineSearch::TResult result) {
    const qsizetype items = qsizetype(result.hits.size());
    const qsizetype matches = result.matchCount;
    results_->SetResult(std::move(result));
    if (FindText().isEmpty())
        SummaryLabel->clear();
    else if (items == 0)
        SummaryLabel->setText(QStringLiteral("見つかりません"));
    else
        SummaryLabel->setText(QStringLiteral("%1 項目、%2 件").arg(items).arg(matches));
    SetCurrentRow(0);
}

void TFindDialog::ShowSearching() { SummaryLabel->setText(QStringLiteral("検索しています…")); }

int TFindDialog::CurrentRow() const {
    const QModelIndex current = ResultView->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TFindDialog::SetCurrentRow(int row) {
    const QModelIndex index = results_->index(row, 0);
    if (!index.isValid()) return;
    ResultView->setCurrentIndex(index);
    ResultView->scrollTo(index);
}

bool TFindDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a row chooses it; the dialog must not press find-next as well.
    if (watched == ResultView && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && CurrentRow() >= 0) {
            emit ResultChosen(CurrentRow());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFindDialog::UpdateButtons() { FindNextButton->setEnabled(!FindEdit->text().isEmpty()); }

void TFindDialog::UpdatePanel() {
    const bool inOutline = InOutline();
    resultPanel_->setVisible(inOutline);
    layout()->setSizeConstraint(inOutline ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
    if (inOutline) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(std::max(width(), 640), std::max(height(), 420));
    } else {
        results_->SetResult({});
        SummaryLabel->clear();
    }
}

void TFindDialog::FindNextPressed() {
    if (InOutline())
        emit FindInOutline();
    else
        emit Find();
}
