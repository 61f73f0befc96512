#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>

#include "skin/TFrameDrag.h"

class QMouseEvent;
class QPlainTextEdit;
class QWidget;
class TOutlineView;
class TSettingsList;
class TSkinSurface;
class TWindowStates;

// The window's own frame and the pointer over it: hover looks and hints, presses and
// releases on the skin's buttons, the splitter between outline and editor, moving and
// resizing the frameless window, and the buttons of its states. It reports what the
// pointer did and knows nothing of the commands and menus that follow.
class TFrameBehaviour {
  public:
    TFrameBehaviour(QWidget& window, TOutlineView* tree, QPlainTextEdit* editor,
                    TSettingsList& settings, TSkinSurface& surface, TWindowStates& states);

    // A release happened on the skin element.
    std::function<void(SkinCode element)> Released;
    // The pointer went from one element to another (None for none).
    std::function<void(SkinCode previous, SkinCode element)> Hovered;
    // Whether a drop-down menu is open: only the menu titles count then.
    std::function<bool()> MenuOpen;

    // The window's mouse events.
    void MouseMove(QMouseEvent* event);
    void MousePress(QMouseEvent* event);
    void MouseRelease(QMouseEvent* event);
    void MouseDoubleClick(QMouseEvent* event);

    void FormMouseMove(int X, int Y);
    void FormMouseDown(Qt::MouseButton button, int X, int Y);
    void FormMouseUp(Qt::MouseButton button);
    void FormDblClick();
    void TreeMouseMove(const QPoint& position);
    void EditorMouseMove(const QPoint& position);

    void MaximizeButtonClick();
    void MinimizeWindow();

    // How long a window manager may take to minimise the window.
    static constexpr int kMinimizeCheckMs = 500;

    bool SplitterDragging = false;
    int SplitterDownX = 0;
    int SplitterDownY = 0;
    QImage SplitterImage;

  private:
    void SplitterDragStep(int X, int Y);
    void EndSplitterDrag();
    void ForwardSplitterMove(const QWidget* control, const QPoint& position);
    void SetPointerShape(Qt::CursorShape shape);
    void StartFrameDrag(SkinCode element, const QPoint& globalPointer);

    QWidget& window_;
    TOutlineView* tree_;
    QPlainTextEdit* editor_;
    TSettingsList& settings_;
    TSkinSurface& surface_;
    TWindowStates& states_;
    // A move or resize of the window that follows the pointer itself.
    std::optional<TFrameDrag> frameDrag_;
    std::optional<QPoint> captionPress_;  // a press on the caption that may become a move
};
