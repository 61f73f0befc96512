#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QToolButton;

// An up-down spinner beside an edit box (its buddy): the arrows step the position by
// one within the limits, without wrapping around, and write it into the buddy. The
// Up and Down keys step too.
class TUpDown : public QWidget {
    Q_OBJECT

  public:
    explicit TUpDown(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

    int Position() const { return position_; }
    // Sets the position, limited to the range; the buddy is not written.
    void SetPosition(int position);

    void SetBuddy(QLineEdit* buddy);

    // One step up or down, as the arrows do it.
    void StepBy(int steps);

    QToolButton* UpButton = nullptr;
    QToolButton* DownButton = nullptr;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    int minimum_ = 0;
    int maximum_ = 100;
    int position_ = 0;
    QPointer<QLineEdit> buddy_;
};
