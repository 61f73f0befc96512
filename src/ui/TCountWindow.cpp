#include "ui/TCountWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QSpinBox>

const QString TCountWindow::kTitle = QStringLiteral("文字数");
const QString TCountWindow::kComputing = QStringLiteral("計算中…");

namespace {

const QString kNone = QStringLiteral("—");
const char16_t* const kScopeNames[] = {u"この項目", u"下位を含む", u"選択範囲", u"文書全体"};
const char16_t* const kColumnNames[] = {u"文字数", u"空白を除く", u"行数", u"枚数", u"何枚何行"};
constexpr int kCountsRow = 1;
constexpr int kOptionsRow = 5;

QString Number(qint64 n) { return QLocale(QLocale::Japanese).toString(n); }

int IndexOf(TCountModel::TScope scope) { return static_cast<int>(scope); }

QString GridCaption(const TGridSize& grid) {
    return QStringLiteral("%1×%2（%3字）")
        .arg(grid.columns)
        .arg(grid.rows)
        .arg(grid.columns * grid.rows);
}

}  // namespace

TCountWindow::TCountWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("CountWindow"));
    setWindowTitle(kTitle);
    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(12);
    CreateCounts();
    CreateOptions();
    CreateTarget(TTargetKind::Document, QStringLiteral("文書の目標"), kOptionsRow + 1);
    CreateTarget(TTargetKind::Item, QStringLiteral("項目の目標"), kOptionsRow + 2);
}

void TCountWindow::CreateCounts() {
    auto* grid = static_cast<QGridLayout*>(layout());
    for (int column = 0; column < ColumnCount; ++column) {
        auto* header = new QLabel(QString::fromUtf16(kColumnNames[column]), this);
        header->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(header, 0, column + 1);
    }
    for (int scope = 0; scope < 4; ++scope) {
        grid->addWidget(new QLabel(QString::fromUtf16(kScopeNames[scope]), this),
                        kCountsRow + scope, 0);
        for (int column = 0; column < ColumnCount; ++column) {
            auto* cell = new QLabel(kNone, this);
            // A screen reader names a figure by its row and column.
            cell->setAccessibleName(QString::fromUtf16(kScopeNames[scope]) + u' ' +
                                    QString::fromUtf16(kColumnNames[column]));
            cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(cell, kCountsRow + scope, column + 1);
            cells_[scope][column] = cell;
        }
    }
}

void TCountWindow::CreateOptions() {
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("原稿用紙"), this));
    grid_ = new QComboBox(this);
    grid_->setAccessibleName(QStringLiteral("原稿用紙"));
    for (const TGridSize& preset : TGridSize::Presets()) grid_->addItem(GridCaption(preset));
    grid_->addItem(QStringLiteral("任意の大きさ"));
    row->addWidget(grid_);
    columns_ = new QSpinBox(this);
    rows_ = new QSpinBox(this);
    for (QSpinBox* spin : {columns_, rows_}) spin->setRange(1, TGridSize::kLargest);
    columns_->setSuffix(QStringLiteral(" 字"));
    rows_->setSuffix(QStringLiteral(" 行"));
    columns_->setAccessibleName(QStringLiteral("一行の字数"));
    rows_->setAccessibleName(QStringLiteral("一枚の行数"));
    row->addWidget(columns_);
    row->addWidget(new QLabel(QStringLiteral("×"), this));
    row->addWidget(rows_);
    ruby_ = new QCheckBox(QStringLiteral("ルビの読みも数える"), this);
    row->addWidget(ruby_);
    row->addStretch();
    static_cast<QGridLayout*>(layout())->addLayout(row, kOptionsRow, 0, 1, ColumnCount + 1);

    connect(grid_, &QComboBox::activated, this, [this](int index) {
        if (index < TGridSize::Presets().size()) {
            const TGridSize preset = TGridSize::Presets()[index];
            showing_ = true;
            columns_->setValue(preset.columns);
            rows_->setValue(preset.rows);
            showing_ = false;
        }
        ReportOptions();
    });
    for (QSpinBox* spin : {columns_, rows_})
        connect(spin, &QSpinBox::valueChanged, this, [this] { ReportOptions(); });
    connect(ruby_, &QCheckBox::toggled, this, [this] { ReportOptions(); });
}

void TCountWindow::CreateTarget(TTargetKind kind, const QString& caption, int row) {
    TTargetControls& controls = targets_[static_cast<int>(kind)];
    auto* grid = static_cast<QGridLayout*>(layout());
    grid->addWidget(new QLabel(caption, this), row, 0);
    controls.amount = new QSpinBox(this);
    controls.amount->setAccessibleName(caption);
    controls.amount->setRange(0, 99999999);
    controls.amount->setSpecialValueText(QStringLiteral("なし"));
    controls.amount->setGroupSeparatorShown(true);
    grid->addWidget(controls.amount, row, 1);
    controls.unit = new QComboBox(this);
    controls.unit->setAccessibleName(caption + QStringLiteral("の単位"));
    controls.unit->addItems({QStringLiteral("字"), QStringLiteral("枚")});
    grid->addWidget(controls.unit, row, 2);
    controls.progress = new QProgressBar(this);
    controls.progress->setAccessibleName(caption + QStringLiteral("の達成"));
    controls.progress->setRange(0, 1000);
    grid->addWidget(controls.progress, row, 3, 1, 2);
    controls.remaining = new QLabel(this);
    grid->addWidget(controls.remaining, row, 5);
    connect(controls.amount, &QSpinBox::valueChanged, this, [this, kind] { ReportTarget(kind); });
    connect(controls.unit, &QComboBox::currentIndexChanged, this,
            [this, kind] { ReportTarget(kind); });
}

void TCountWindow::ShowSum(TCountModel::TScope scope, const std::optional<TCountSum>& sum,
                           bool computing) {
    std::array<QLabel*, ColumnCount>& cells = cells_[IndexOf(scope)];
    if (!sum) {
        cells[Characters]->setText(computing ? kComputing : kNone);
        for (int column = NonBlank; column < ColumnCount; ++column) cells[column]->clear();
        return;
    }
    cells[Characters]->setText(Number(sum->Characters()));
    cells[NonBlank]->setText(Number(sum->NonBlank()));
    cells[Lines]->setText(Number(sum->Lines()));
    cells[Pages]->setText(Number(sum->Pages()));
    cells[SheetsAndLines]->setText(sum->SheetsAndLines());
}

void TCountWindow::ShowOptions(const TLayoutOptions& options) {
    showing_ = true;
    ShowGridChoice(options.grid);
    columns_->setValue(options.grid.columns);
    rows_->setValue(options.grid.rows);
    ruby_->setChecked(options.countRuby);
    showing_ = false;
}

void TCountWindow::ShowGridChoice(const TGridSize& grid) {
    const qsizetype preset = TGridSize::Presets().indexOf(grid);
    grid_->setCurrentIndex(preset >= 0 ? static_cast<int>(preset) : grid_->count() - 1);
}

void TCountWindow::ShowTarget(TTargetKind kind, const TCountTarget& target,
                              std::optional<qint64> achieved, bool enabled) {
    TTargetControls& controls = targets_[static_cast<int>(kind)];
    showing_ = true;
    controls.amount->setValue(static_cast<int>(target.amount));
    controls.unit->setCurrentIndex(target.unit == TCountTarget::Unit::Pages ? 1 : 0);
    showing_ = false;
    for (QWidget* control :
         {static_cast<QWidget*>(controls.amount), static_cast<QWidget*>(controls.unit)})
        control->setEnabled(enabled);
    controls.progress->setVisible(target.IsSet());
    controls.progress->setValue(achieved ? target.PerMille(*achieved) : 0);
    QString remaining;
    if (target.IsSet() && achieved) {
        const qint64 left = target.Remaining(*achieved);
        remaining =
            left == 0 ? QStringLiteral("達成")
                      : QStringLiteral("あと %1%2").arg(Number(left), controls.unit->currentText());
    } else if (target.IsSet()) {
        remaining = kComputing;
    }
    controls.remaining->setText(remaining);
}

QString TCountWindow::CellText(TCountModel::TScope scope, TColumn column) const {
    return cells_[IndexOf(scope)][column]->text();
}

QString TCountWindow::RemainingText(TTargetKind kind) const {
    return targets_[static_cast<int>(kind)].remaining->text();
}

void TCountWindow::ReportOptions() {
    if (showing_) return;
    TLayoutOptions options;
    options.grid = {columns_->value(), rows_->value()};
    options.countRuby = ruby_->isChecked();
    showing_ = true;
    ShowGridChoice(options.grid);
    showing_ = false;
    emit OptionsChanged(options);
}

void TCountWindow::ReportTarget(TTargetKind kind) {
    if (showing_) return;
    const TTargetControls& controls = targets_[static_cast<int>(kind)];
    TCountTarget target;
    target.amount = controls.amount->value();
    target.unit = controls.unit->currentIndex() == 1 ? TCountTarget::Unit::Pages
                                                     : TCountTarget::Unit::Characters;
    emit TargetChanged(kind, target);
}

void TCountWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    emit PlaceChanged();
}

void TCountWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit PlaceChanged();
}

void TCountWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit PlaceChanged();
}
