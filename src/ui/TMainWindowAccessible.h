#pragma once

#include <QAccessibleWidget>
#include <QList>

class TSkinAccessHost;
class THintLineAccessible;
class TMenuBandAccessible;

// The skinned main window as a frame named by its caption. Besides its widgets (the
// outline and the editor) it holds what the skin only draws: the buttons, the arrow
// pad, the window buttons and link tabs, the menu band and the hint line.
class TMainWindowAccessible : public QAccessibleWidget {
  public:
    TMainWindowAccessible(QWidget* window, TSkinAccessHost& host);
    ~TMainWindowAccessible() override;

    QAccessibleInterface* child(int index) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // Tells assistive technology that the hint line of window shows another hint.
    static void HintChanged(QWidget* window);

  private:
    QList<QAccessibleInterface*> drawn_;  // the drawn parts, before the widgets
    THintLineAccessible* hintLine_ = nullptr;
};
