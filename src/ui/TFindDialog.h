#pragma once

#include <QDialog>

#include "ui/TOutlineSearch.h"
#include "ui/TSearchOptions.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class TSearchResultModel;

// The modeless find dialog: a search text and a find-next button; searches always go
// downwards, so there is no direction choice. Enter presses find-next, Escape and the
// cancel button only hide the dialog, which keeps its search text.
//
// With "すべての項目から検索" it searches every item of the outline: a list below shows
// each item holding the search text (its path, the line of the first match, the number
// of matches) and updates as the text or the options change. Enter or a double click on
// a row, or find-next, goes to an item.
class TFindDialog : public QDialog {
    Q_OBJECT

  public:
    explicit TFindDialog(QWidget* parent = nullptr);

    QString FindText() const;
    void SetFindText(const QString& text);
    TSearchOptions Options() const;
    bool InOutline() const;
    void SetInOutline(bool inOutline);

    // Shows the dialog in front, with its search text selected for typing over.
    void ShowAndActivate();

    // Shows a whole-outline search's result in the list; the first row becomes current.
    void ShowResult(TOutlineSearch::TResult result);
    // Says the list is being brought up to date.
    void ShowSearching();
    const TSearchResultModel& Results() const { return *results_; }
    int CurrentRow() const;
    void SetCurrentRow(int row);

    QLineEdit* FindEdit = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QCheckBox* InOutlineCheck = nullptr;
    QCheckBox* IgnoreCaseCheck = nullptr;
    QCheckBox* IgnoreWidthCheck = nullptr;
    QLabel* SummaryLabel = nullptr;
    QTreeView* ResultView = nullptr;

  signals:
    // Find-next was pressed (by the button or by Enter) while searching the editor's text.
    void Find();
    // Find-next was pressed while searching the whole outline.
    void FindInOutline();
    // The search text, an option or the choice of the whole outline changed.
    void SearchChanged();
    // A row of the list was chosen (Enter or a double click).
    void ResultChosen(int row);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateResultPanel();
    void UpdateButtons();
    void UpdatePanel();
    void FindNextPressed();

    TSearchResultModel* results_ = nullptr;
    QWidget* resultPanel_ = nullptr;
};
