#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The modeless find dialog: a search text and a find-next button; searches always go
// downwards, so there is no direction choice. Enter presses find-next, Escape and the
// cancel button only hide the dialog, which keeps its search text.
class TFindDialog : public QDialog {
    Q_OBJECT

public:
    explicit TFindDialog(QWidget* parent = nullptr);

    QString FindText() const;
    void SetFindText(const QString& text);

    // Shows the dialog in front, with its search text selected for typing over.
    void ShowAndActivate();

    QLineEdit* FindEdit = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* CancelButton = nullptr;

signals:
    // Find-next was pressed (by the button or by Enter).
    void Find();

private:
    void UpdateButtons();
};
