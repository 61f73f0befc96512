#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// The modeless replace dialog: a search text, a replacement text and the find-next,
// replace and replace-all buttons. Enter presses find-next (or the button that has the
// focus), Escape and the cancel button only hide the dialog, which keeps its texts.
class TReplaceDialog : public QDialog {
    Q_OBJECT

  public:
    explicit TReplaceDialog(QWidget* parent = nullptr);

    QString FindText() const;
    void SetFindText(const QString& text);
    QString ReplaceText() const;
    void SetReplaceText(const QString& text);

    // Shows the dialog in front, with its search text selected for typing over.
    void ShowAndActivate();

    QLineEdit* FindEdit = nullptr;
    QLineEdit* ReplaceEdit = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;
    QPushButton* CancelButton = nullptr;

  signals:
    void Find();
    void Replace();
    void ReplaceAll();

  private:
    void UpdateButtons();
};
