#pragma once

#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;

// The about box: a borderless black window of 206 × 176 with a white panel and the
// about picture in it. It closes (hides) when it loses activation and when the
// picture or the black border is clicked; a click on the panel's white margin does
// nothing. It has no buttons; Escape closes it too and gives the keyboard back to the
// main window.
class TVerForm : public QWidget {
    Q_OBJECT

  public:
    explicit TVerForm(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;  // white, at 3, 3, 200 × 170
    QLabel* Image1 = nullptr;  // the about picture, at 5, 5, 190 × 160 in the panel

    // Creates a new about box, makes VerForm refer to it and shows it centred over
    // mainWindow (the screen's centre without one); it takes the activation. The
    // previous about box is closed and released.
    static TVerForm* ShowNew(QWidget* mainWindow);

    // Closes (hides) the about box.
    void FormDeactivate();

  protected:
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> mainWindow_;
};

// The about box created last; null before the first one.
inline QPointer<TVerForm> VerForm;
