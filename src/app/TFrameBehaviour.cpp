#include "app/TFrameBehaviour.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>
#include <QWindow>

#include "app/TOutlineView.h"
#include "app/TSkinSurface.h"
#include "app/TWindowStates.h"
#include "settings/TSettingsList.h"
#include "skin/TSkinHints.h"
#include "skin/TSkinLayout.h"

namespace {

Qt::CursorShape ShapeOfResizeZone(SkinCode zone) {
    switch (zone) {
        case SkinCode::LeftEdge:
        case SkinCode::RightEdge: return Qt::SizeHorCursor;
        case SkinCode::TopEdge:
        case SkinCode::BottomEdge: return Qt::SizeVerCursor;
        case SkinCode::TopLeftCorner:
        case SkinCode::BottomRightCorner: return Qt::SizeFDiagCursor;
        default: return Qt::SizeBDiagCursor;
    }
}

bool IsResizeZone(SkinCode code) {
    return code >= SkinCode::LeftEdge && code <= SkinCode::BottomRightCorner;
}

Qt::Edges EdgesOf(SkinCode zone) {
    switch (zone) {
        case SkinCode::LeftEdge: return Qt::LeftEdge;
        case SkinCode::RightEdge: return Qt::RightEdge;
        case SkinCode::TopEdge: return Qt::TopEdge;
        case SkinCode::BottomEdge: return Qt::BottomEdge;
        case SkinCode::TopLeftCorner: return Qt::TopEdge | Qt::LeftEdge;
        case SkinCode::TopRightCorner: return Qt::TopEdge | Qt::RightEdge;
        case SkinCode::BottomLeftCorner: return Qt::BottomEdge | Qt::LeftEdge;
        default: return Qt::BottomEdge | Qt::RightEdge;
    }
}

}  // namespace

TFrameBehaviour::TFrameBehaviour(QWidget& window, TOutlineView* tree, QPlainTextEdit* editor,
                                 TSettingsList& settings, TSkinSurface& surface,
                                 TWindowStates& states)
    : window_(window),
      tree_(tree),
      editor_(editor),
      settings_(settings),
      surface_(surface),
      states_(states) {}

void TFrameBehaviour::MinimizeWindow() {
    window_.showMinimized();
    // Only a window manager minimises a window; without one it stays on screen and
    // must stay in its normal state, or its buttons, resizing and the stored state
    // would follow a state it is not in.
    QTimer::singleShot(kMinimizeCheckMs, &window_, [this] {
        if (!window_.isMinimized() || !window_.windowHandle() ||
            !window_.windowHandle()->isExposed())
            return;
        window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
        surface_.DrawBack();
    });
}

void TFrameBehaviour::MaximizeButtonClick() {
    if (window_.isMinimized()) return;
    surface_.DrawBackEnabled = false;
    states_.ToggleMaximized();
    surface_.DrawBackEnabled = true;
    surface_.DrawBack();
}

void TFrameBehaviour::FormDblClick() {
    if (surface_.HotElement == SkinCode::Caption && !window_.isMinimized())
        states_.ToggleMaximized();
}

void TFrameBehaviour::SetPointerShape(Qt::CursorShape shape) {
    if (window_.cursor().shape() != shape) window_.setCursor(shape);
}

void TFrameBehaviour::FormMouseMove(int X, int Y) {
    const bool menuVisible = MenuOpen && MenuOpen();
    TPointerInput input;
    input.X = X;
    input.Y = Y;
    input.W = window_.width();
    input.H = window_.height();
    input.State = surface_.WindowState();
    input.MenuVisible = menuVisible;
    input.SplitterDragging = surface_.HotElement == SkinCode::Splitter && SplitterDragging;
    input.Tree = tree_->geometry();
    input.Editor = editor_->geometry();
    const TPointerHit hit = TSkinLayout::ClassifyFrame(input);
    SkinCode code = hit.Code;
    if (code == SkinCode::MenuView) surface_.HintOut(TSkinHints::Of(SkinCode::MenuView));
    if (!hit.StoppedAtMenu) {
        if (hit.ResizeZone != SkinCode::None) SetPointerShape(ShapeOfResizeZone(hit.ResizeZone));
        if (input.SplitterDragging) {
            SplitterDragStep(X, Y);
            code = SkinCode::Splitter;
        }
        if (surface_.HotElement != SkinCode::Splitter && !IsResizeZone(code))
            SetPointerShape(Qt::ArrowCursor);
        if (TSkinLayout::IsOnSplitter(X, Y, tree_->geometry(), editor_->geometry())) {
            code = SkinCode::Splitter;
            SetPointerShape(Qt::SplitHCursor);
            surface_.HintOut(TSkinHints::Of(SkinCode::Splitter));
        }
    }
    if (surface_.HotElement != SkinCode::None && code == SkinCode::None) {
        surface_.HotElement = SkinCode::None;
        surface_.HintOut(QString());
    }
    surface_.DrawLooks(code);
    if (Hovered) Hovered(surface_.HotElement, code);
    surface_.HotElement = code;
}

void TFrameBehaviour::FormMouseDown(Qt::MouseButton, int X, int Y) {
    if (surface_.HotElement == SkinCode::Splitter && window_.cursor().shape() == Qt::SplitHCursor) {
        SplitterDragging = true;
        SplitterDownX = X;
        SplitterDownY = Y;
        const QRect tree = tree_->geometry();
        SplitterImage =
            surface_.CopyOfSurface(QRect(editor_->x() - 20, tree.top(), 40, tree.height() + 20));
        window_.grabMouse();  // any release ends the drag, wherever it happens
    }
    if (surface_.HotElement >= SkinCode::ButtonBrother &&
        surface_.HotElement <= SkinCode::ButtonDelete)
        surface_.DrawButtonLook(surface_.HotElement, TSkinLook::Click);
}

void TFrameBehaviour::FormMouseUp(Qt::MouseButton) {
    const SkinCode element = surface_.HotElement;
    if (element >= SkinCode::ButtonBrother && element <= SkinCode::ButtonDelete)
        surface_.DrawButtonLook(element, TSkinLook::Click);
    if (Released) Released(element);
    if (element == SkinCode::ButtonDelete) surface_.DrawButtonLook(element, TSkinLook::Normal);
    static const SkinCode kNormalAfterRelease[] = {
        SkinCode::ButtonBrother, SkinCode::ButtonChild,  SkinCode::ItemUp,     SkinCode::ItemDown,
        SkinCode::ItemLeft,      SkinCode::ItemRight,    SkinCode::NewFile,    SkinCode::OpenFile,
        SkinCode::SaveFile,      SkinCode::PasteBrother, SkinCode::PasteChild, SkinCode::Cut,
        SkinCode::Copy,          SkinCode::Paste,        SkinCode::Undo};
    for (SkinCode code : kNormalAfterRelease) surface_.DrawButtonLook(code, TSkinLook::Normal);
    if (SplitterDragging) EndSplitterDrag();
}

void TFrameBehaviour::SplitterDragStep(int X, int Y) {
    const int d = X - SplitterDownX;
    QRect tree = tree_->geometry();
    QRect editor = editor_->geometry();
    const int both = tree.width() + editor.width();
    tree.setWidth(tree.width() + d);
    editor.setWidth(editor.width() - d);
    SplitterDownX = X;
    SplitterDownY = Y;
    bool limit = false;
    if (tree.width() < 100) {
        tree.setWidth(100);
        editor.setWidth(both - 100);
        limit = true;
    } else if (editor.width() < 100) {
        editor.setWidth(100);
        tree.setWidth(both - 100);
        limit = true;
    }
    editor.moveLeft(tree.left() + tree.width() + 20);
    // Narrow before moving, move before widening: the controls never overlap.
    if (d > 0) {
        editor_->setGeometry(editor);
        tree_->setGeometry(tree);
    } else {
        tree_->setGeometry(tree);
        editor_->setGeometry(editor);
    }
    settings_.SetValue(u"TreeWidth", QString::number(tree.width()));
    if (limit) {
        EndSplitterDrag();
        return;
    }
    // One continuous shadow band runs under both controls while dragging.
    const QRect band(QPoint(tree.left() + 20, tree.bottom() + 1),
                     QPoint(editor.right(), tree.bottom() + 20));
    const QRect gap(QPoint(editor.left() - 20, tree.top()),
                    SplitterImage.deviceIndependentSize().toSize());
    surface_.DrawOnSurface(QRegion(band) + gap, [&](QPainter& painter) {
        const QImage shadow = surface_.Skin().Load(QStringLiteral("Shadow_Bottom.bmp"));
        const qreal scale = shadow.devicePixelRatio();
        painter.drawImage(band, shadow, QRectF(0, 0, 10 * scale, 20 * scale));
        painter.drawImage(gap.topLeft(), SplitterImage);
    });
}

void TFrameBehaviour::EndSplitterDrag() {
    SplitterDragging = false;
    window_.releaseMouse();
    surface_.DrawBack();
}

void TFrameBehaviour::TreeMouseMove(const QPoint& position) {
    if (surface_.HotElement == SkinCode::Splitter && window_.cursor().shape() == Qt::SplitHCursor) {
        ForwardSplitterMove(tree_, position);
        return;
    }
    if (surface_.HotElement != SkinCode::None) surface_.RedrawBack();
}

void TFrameBehaviour::EditorMouseMove(const QPoint& position) {
    if (surface_.HotElement == SkinCode::Splitter && window_.cursor().shape() == Qt::SplitHCursor) {
        ForwardSplitterMove(editor_, position);
        return;
    }
    editor_->setFocus(Qt::MouseFocusReason);
    if (surface_.HotElement != SkinCode::None) surface_.RedrawBack();
}

// A move from the splitter into a control goes to the window as during a drag. When it
// finds no element there and clears the hint line, the control's own hint follows.
void TFrameBehaviour::ForwardSplitterMove(const QWidget* control, const QPoint& position) {
    FormMouseMove(position.x() + control->x(), position.y() + control->y());
    if (!SplitterDragging && surface_.HintText.isEmpty()) surface_.HintOut(control->statusTip());
}

void TFrameBehaviour::StartFrameDrag(SkinCode element, const QPoint& globalPointer) {
    QWindow* window = window_.windowHandle();
    bool started = false;
    if (window)
        started = element == SkinCode::Caption ? window->startSystemMove()
                                               : window->startSystemResize(EdgesOf(element));
    // Without a window manager that takes over, the window follows the pointer itself.
    if (!started)
        frameDrag_.emplace(element, window_.geometry(), globalPointer, window_.minimumSize());
}

void TFrameBehaviour::MouseMove(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (frameDrag_) {
        window_.setGeometry(frameDrag_->GeometryAt(global));
        return;
    }
    if (captionPress_ && (event->buttons() & Qt::LeftButton) &&
        (global - *captionPress_).manhattanLength() >= 3) {
        StartFrameDrag(SkinCode::Caption, *captionPress_);
        captionPress_.reset();
        if (frameDrag_) window_.setGeometry(frameDrag_->GeometryAt(global));
        return;
    }
    FormMouseMove(event->position().toPoint().x(), event->position().toPoint().y());
}

void TFrameBehaviour::MousePress(QMouseEvent* event) {
    const QPoint global = event->globalPosition().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (IsResizeZone(surface_.HotElement)) StartFrameDrag(surface_.HotElement, global);
        // The caption moves the window once the pointer really drags it, so that a
        // double click on the caption stays a double click for every window manager.
        if (surface_.HotElement == SkinCode::Caption && !window_.isMaximized())
            captionPress_ = global;
    }
    const QPoint at = global - window_.geometry().topLeft();
    FormMouseDown(event->button(), at.x(), at.y());
}

void TFrameBehaviour::MouseRelease(QMouseEvent* event) {
    captionPress_.reset();
    if (frameDrag_) {
        frameDrag_.reset();
        return;
    }
    FormMouseUp(event->button());
}

void TFrameBehaviour::MouseDoubleClick(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) FormDblClick();
    const QPoint at = event->position().toPoint();
    FormMouseDown(event->button(), at.x(), at.y());
}
