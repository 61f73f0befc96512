#include "app/TSkinSurface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>

#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TOutlineView.h"
#include "platform/AppError.h"
#include "skin/TSkinHints.h"
#include "ui/TMainWindowAccessible.h"

namespace {

const QColor kHintGrey(128, 128, 128);

}  // namespace

TSkinSurface::TSkinSurface(QWidget& window, TOutlineView* tree, QPlainTextEdit* editor,
                           TDocumentSession& session, TErrorBox& errors)
    : window_(window),
      tree_(tree),
      editor_(editor),
      session_(session),
      errors_(errors),
      skin_(session.Folders.SkinFolder()) {}

void TSkinSurface::Paint(QPaintEvent* event) {
    if (!shown_) {
        shown_ = true;
        if (FirstShown) FirstShown();  // runs after this paint
    }
    if (!blitOnly_) {
        painting_ = true;
        FormPaint();
        painting_ = false;
    }
    QPainter painter(&window_);
    if (surface_.isNull()) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    // The surface has the window's device pixels: shown whole, clipped to the area.
    painter.setClipRegion(event->region());
    painter.drawImage(QPoint(0, 0), surface_);
}

void TSkinSurface::FormPaint() {
    // Painting starts with the first exposure, activated or not: a compositor may never
    // activate a new window.
    if (!shown_) return;
    if (SkipNextLayout && !FirstPaint) {
        SkipNextLayout = false;
    } else {
        LayoutControls();
        DrawBack();
    }
    FirstPaint = false;
}

void TSkinSurface::LayoutControls() {
    const TControlLayout layout =
        TSkinLayout::LayoutControls(window_.width(), window_.height(), tree_->width());
    if (layout.TreeWidthCut)
        session_.Settings.SetValue(u"TreeWidth", QString::number(layout.Tree.width()));
    tree_->setGeometry(layout.Tree);
    editor_->setGeometry(layout.Editor);
}

TWindowState TSkinSurface::WindowState() const {
    if (window_.isMinimized()) return TWindowState::Minimized;
    if (window_.isMaximized()) return TWindowState::Maximized;
    return TWindowState::Normal;
}

void TSkinSurface::DrawBack() {
    if (!DrawBackEnabled) return;
    if (BeforeFullDrawing) BeforeFullDrawing();
    RunSkinStep([this] {
        const TSkinScene scene{window_.width(), window_.height(),  window_.isActiveWindow(),
                               WindowState(),   tree_->geometry(), editor_->geometry()};
        skin_.SetDevicePixelRatio(window_.devicePixelRatioF());
        surface_ = skin_.Compose(scene);
        ShowSurface(window_.rect());
    });
}

void TSkinSurface::RedrawBack() {
    if (HotElement == SkinCode::None) return;
    if (TSkinLayout::IsButton(HotElement)) {
        DrawElementsOnSurface([this](QPainter& painter, QRegion& drawn) {
            drawn += skin_.DrawElement(painter, HotElement, TSkinLook::Normal, window_.width(),
                                       window_.height(), WindowState());
        });
    }
    HotElement = SkinCode::None;
}

void TSkinSurface::HintOut(const QString& text) {
    const bool changed = HintText != text;
    HintText = text;
    if (changed) TMainWindowAccessible::HintChanged(&window_);
    const int W = window_.width();
    const int H = window_.height();
    const QRect band = TSkinLayout::HintBand(W, H);
    DrawOnSurface(band, [&](QPainter& painter) {
        skin_.DrawHintBand(painter, W, H);
        if (text.isEmpty()) return;
        painter.setFont(window_.font());
        painter.setPen(kHintGrey);
        painter.setBackgroundMode(Qt::OpaqueMode);
        painter.setBackground(Qt::white);
        const QPoint at = TSkinLayout::HintTextPos(H);
        painter.setClipRect(band);
        painter.drawText(QRect(at, QSize(W - at.x(), band.bottom() - at.y() + 1)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    });
}

void TSkinSurface::AppActivate() { DrawTitleBar(true); }

void TSkinSurface::AppDeactivate() { DrawTitleBar(false); }

void TSkinSurface::DrawTitleBar(bool active) {
    DrawOnSurface(QRect(TSkinLayout::TitleBarPos(), QSize(window_.width(), 30)),
                  [&](QPainter& painter) { skin_.DrawTitleBar(painter, active); });
}

void TSkinSurface::DrawLooks(SkinCode hot) {
    static const SkinCode kLooks[] = {
        SkinCode::ButtonBrother, SkinCode::ButtonChild,  SkinCode::ButtonDelete,
        SkinCode::ItemUp,        SkinCode::ItemDown,     SkinCode::ItemLeft,
        SkinCode::ItemRight,     SkinCode::NewFile,      SkinCode::OpenFile,
        SkinCode::SaveFile,      SkinCode::PasteBrother, SkinCode::PasteChild,
        SkinCode::Cut,           SkinCode::Copy,         SkinCode::Paste,
        SkinCode::Undo,          SkinCode::MenuFile,     SkinCode::MenuEdit,
        SkinCode::MenuView,      SkinCode::MenuOption,   SkinCode::MenuHelp,
        SkinCode::EMail,         SkinCode::Homepage};
    QString hint;
    DrawElementsOnSurface([&](QPainter& painter, QRegion& drawn) {
        for (SkinCode code : kLooks) {
            drawn += skin_.DrawElement(painter, code,
                                       code == hot ? TSkinLook::Active : TSkinLook::Normal,
                                       window_.width(), window_.height(), WindowState());
            if (code == hot && TSkinLayout::IsButton(code)) hint = TSkinHints::Of(code);
        }
    });
    if (!hint.isEmpty()) HintOut(hint);
}

void TSkinSurface::DrawButtonLook(SkinCode code, TSkinLook look) {
    DrawElementsOnSurface([&](QPainter& painter, QRegion& drawn) {
        drawn += skin_.DrawElement(painter, code, look, window_.width(), window_.height(),
                                   WindowState());
    });
}

void TSkinSurface::DrawOnSurface(const QRegion& area, const std::function<void(QPainter&)>& draw) {
    if (surface_.isNull()) return;  // nothing drawn yet: the first full drawing comes
    // Like drawing on the window itself: what was drawn before a failure stays.
    QPainter painter(&surface_);
    skin_.PreparePainter(painter);
    RunSkinStep([&] { draw(painter); });
    painter.end();
    ShowSurface(area);
}

void TSkinSurface::DrawElementsOnSurface(const std::function<void(QPainter&, QRegion&)>& draw) {
    if (surface_.isNull()) return;
    // The bitmaps decide what is shown again: a look may be larger than where it reacts
    // to the pointer.
    QRegion drawn;
    QPainter painter(&surface_);
    skin_.PreparePainter(painter);
    RunSkinStep([&] { draw(painter, drawn); });
    painter.end();
    ShowSurface(drawn);
}

QImage TSkinSurface::CopyOfSurface(const QRect& area) const {
    const qreal ratio = surface_.devicePixelRatio();
    const QRect device =
        QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio).toAlignedRect();
    QImage copy = surface_.copy(device);
    copy.setDevicePixelRatio(ratio);
    return copy;
}

void TSkinSurface::RunSkinStep(const std::function<void()>& step) {
    try {
        step();
        lastSkinFailure_.clear();
    } catch (const AppError& error) {
        // Every paint tries again; the same failure is reported once, and the box is
        // shown after the paint under way has finished.
        if (error.Text() == lastSkinFailure_) return;
        lastSkinFailure_ = error.Text();
        QMetaObject::invokeMethod(
            &window_, [this, text = error.Text()] { errors_.Show(text); }, Qt::QueuedConnection);
    }
}

void TSkinSurface::ShowSurface(const QRegion& area) {
    if (painting_) return;  // the paint under way shows the new surface
    blitOnly_ = true;
    window_.repaint(area);
    blitOnly_ = false;
}
