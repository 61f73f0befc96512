#pragma once

#include <QWidget>
#include <array>
#include <optional>

#include "layout/TCountSum.h"
#include "layout/TLayoutOptions.h"
#include "settings/TCountTarget.h"
#include "ui/TCountModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QSpinBox;

// The "文字数" window: the counts of the current item, the item with its descendants,
// the selection and the document, the manuscript paper they are laid out on, and the
// targets of the document and of the item with their progress. It shows what it is
// given and reports what the user changes; the counting is done elsewhere.
class TCountWindow : public QWidget {
    Q_OBJECT

  public:
    enum class TTargetKind { Document, Item };
    // The columns of a row of counts.
    enum TColumn { Characters, NonBlank, Lines, Pages, SheetsAndLines, ColumnCount };

    explicit TCountWindow(QWidget* parent = nullptr);

    // A row's counts; without a sum the row shows "計算中…" while computing, "—" otherwise.
    void ShowSum(TCountModel::TScope scope, const std::optional<TCountSum>& sum, bool computing);
    void ShowOptions(const TLayoutOptions& options);
    // A target and how far it is reached (nothing while unknown); a target that cannot be
    // set (a document not saved yet) is shown disabled.
    void ShowTarget(TTargetKind kind, const TCountTarget& target, std::optional<qint64> achieved,
                    bool enabled);

    // What a cell shows.
    QString CellText(TCountModel::TScope scope, TColumn column) const;
    QString RemainingText(TTargetKind kind) const;

    static const QString kTitle;
    static const QString kComputing;

  signals:
    void OptionsChanged(const TLayoutOptions& options);
    void TargetChanged(TTargetKind kind, const TCountTarget& target);
    // The window was moved, resized or closed: its place is worth remembering.
    void PlaceChanged();

  protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    struct TTargetControls {
        QSpinBox* amount = nullptr;
        QComboBox* unit = nullptr;
        QProgressBar* progress = nullptr;
        QLabel* remaining = nullptr;
    };

    void CreateCounts();
    void CreateOptions();
    void CreateTarget(TTargetKind kind, const QString& caption, int row);
    void ReportOptions();
    void ReportTarget(TTargetKind kind);
    void ShowGridChoice(const TGridSize& grid);

    std::array<std::array<QLabel*, ColumnCount>, 4> cells_{};
    QComboBox* grid_ = nullptr;
    QSpinBox* columns_ = nullptr;
    QSpinBox* rows_ = nullptr;
    QCheckBox* ruby_ = nullptr;
    std::array<TTargetControls, 2> targets_{};
    bool showing_ = false;  // setting controls from outside: no reports
};
