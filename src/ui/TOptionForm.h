#pragma once

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class TOptionForm;
class TSettingsList;
class TUpDown;

// The options dialog created last; null before the first opening.
extern QPointer<TOptionForm> OptionForm;

// "オプション設定": how pasting text as new items names them. The keys "AutoNodeName",
// "NodeNameLimitter" and "NodeNameLimitterCount" are stored by OK only. While the
// dialog is open its owner is disabled; every close enables the owner again.
class TOptionForm : public QDialog {
    Q_OBJECT

  public:
    // Disables owner, opens a new dialog centred over it on the stored values and
    // makes it OptionForm. The dialog is shown without a modal loop; settings must
    // outlive it (the dialog goes with its owner).
    static TOptionForm* SetOption(QWidget* owner, TSettingsList& settings);

    TOptionForm(QWidget* owner, TSettingsList& settings);
    ~TOptionForm() override;

    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* AutoNodeNameCheck = nullptr;
    QCheckBox* NodeNameLimitterCheck = nullptr;
    TUpDown* NodeNameLimitterCountUpDown = nullptr;
    QLineEdit* NodeNameLimitterCountEdit = nullptr;

    // Loads the three stored values into the controls.
    void LoadSettings();

    // The enable rule, after either check box changed.
    void AutoNodeNameCheckClick();
    void NodeNameLimitterCheckClick();
    // Keeps the count box an integer from 0 to 1000 after each change of its text.
    void NodeNameLimitterCountEditChange();
    // Stores the three keys and closes.
    void OKButtonClick();
    // Closes without storing.
    void CancelButtonClick();

    // Every close (OK, Cancel, Escape, the close box) ends here.
    void done(int result) override;

  private:
    void CreateControls();
    void ApplyEnableRule();
    void PlaceOverOwner();
    void FormClose();

    QPointer<QWidget> owner_;
    TSettingsList& settings_;
};
