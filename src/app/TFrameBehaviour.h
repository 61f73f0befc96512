#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>

#include "platform/TWindowSystem.h"
#include "skin/TFrameDrag.h"

class QMouseEvent;
class QPlainTextEdit;
class QWidget;
class TDocumentSession;
class TErrorBox;
class TItemTextBinding;
class TMenuHost;
class TOutlineView;
class TSkinSurface;

// The window's own frame and the pointer over it: hover looks and hints, presses and
// releases on the skin's buttons, the splitter between outline and editor, moving and
// resizing the frameless window, and the maximised, normal and minimised states.
class TFrameBehaviour {
  public:
    TFrameBehaviour(QWidget& window, TOutlineView* tree, QPlainTextEdit* editor,
                    TDocumentSession& session, TItemTextBinding& texts, TSkinSurface& surface,
                    TMenuHost& menuHost, TErrorBox& errors);

    // Runs the command of the skin element a release happened on.
    std::function<void(SkinCode element)> RunReleaseCommand;

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

    void WindowMaximize();
    void MaximizeButtonClick();
    void ToggleMaximized();
    void MinimizeWindow();
    // A window whose user chose the maximised state is kept exactly on the work area.
    void CheckMaximizedState();
    QRect WorkArea() const;
    // The place of the normal state, also while maximised.
    QRect NormalPlace() const;
    // The window lies as a maximised window must: exactly on the work area.
    bool LiesMaximized() const;

    // How long a window manager may take to minimise the window.
    static constexpr int kMinimizeCheckMs = 500;

    // Whether the window can place itself; where it cannot, the compositor decides
    // where the window is and what a maximised window covers.
    TWindowSystem Windows;

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
    TDocumentSession& session_;
    TItemTextBinding& texts_;
    TSkinSurface& surface_;
    TMenuHost& menuHost_;
    TErrorBox& errors_;
    QRect normalPlace_;  // the place of the normal state while maximised
    // A move or resize of the window that follows the pointer itself.
    std::optional<TFrameDrag> frameDrag_;
    std::optional<QPoint> captionPress_;  // a press on the caption that may become a move
};
