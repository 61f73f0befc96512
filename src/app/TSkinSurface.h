#pragma once

#include <QImage>
#include <QRegion>
#include <QString>
#include <functional>

#include "skin/TSkinLayout.h"
#include "skin/TSkinPainter.h"

class QPaintEvent;
class QPainter;
class QPlainTextEdit;
class QWidget;
class TDocumentSession;
class TErrorBox;
class TOutlineView;

// What the main window shows beneath its controls: the whole skin drawn at once
// (DrawBack), the looks of the buttons, menu titles and link tabs, the title bar and
// the hint line. Everything is drawn onto an image, which the window's paints show.
class TSkinSurface {
  public:
    TSkinSurface(QWidget& window, TOutlineView* tree, QPlainTextEdit* editor,
                 TDocumentSession& session, TErrorBox& errors);

    // Runs before every full drawing (the maximised-state check).
    std::function<void()> BeforeFullDrawing;
    // Runs once, at the window's first paint; what it does must come after that paint.
    std::function<void()> FirstShown;

    // The window's paint: lays out and draws unless only the image is to be shown.
    void Paint(QPaintEvent* event);
    void FormPaint();
    void LayoutControls();
    void DrawBack();
    // The button that was lit returns to its normal look; nothing is lit any more.
    void RedrawBack();
    void HintOut(const QString& text);
    void AppActivate();
    void AppDeactivate();
    void DrawTitleBar(bool active);
    // Every button, menu title and link tab in its active look when its code is hot,
    // else in its normal look; the hot button writes its hint.
    void DrawLooks(SkinCode hot);
    void DrawButtonLook(SkinCode code, TSkinLook look);
    // Draws onto what the window shows and shows the area.
    void DrawOnSurface(const QRegion& area, const std::function<void(QPainter&)>& draw);

    TWindowState WindowState() const;
    // What the window shows, with the window's device pixels.
    const QImage& Surface() const { return surface_; }
    // A part of the surface given in window pixels.
    QImage CopyOfSurface(const QRect& area) const;
    const TSkinPainter& Skin() const { return skin_; }
    // Whether the window has been painted yet; layout and drawing wait for it.
    bool Shown() const { return shown_; }

    // The skin element under the pointer as of the last pointer move; None for none.
    SkinCode HotElement = SkinCode::None;
    // The text the hint line shows now.
    QString HintText;
    // While false, DrawBack does nothing.
    bool DrawBackEnabled = true;
    // The window has been activated once.
    bool Activated = false;
    // Set by a selection change: the next paint skips layout and drawing once.
    bool SkipNextLayout = false;
    bool FirstPaint = true;

  private:
    // Draws skin elements and shows what they covered; draw adds the rectangle of every
    // bitmap it draws.
    void DrawElementsOnSurface(const std::function<void(QPainter&, QRegion&)>& draw);
    // Runs a drawing step that reads skin files; a failure keeps the previous look.
    void RunSkinStep(const std::function<void()>& step);
    void ShowSurface(const QRegion& area);

    bool shown_ = false;
    QWidget& window_;
    TOutlineView* tree_;
    QPlainTextEdit* editor_;
    TDocumentSession& session_;
    TErrorBox& errors_;
    TSkinPainter skin_;
    QImage surface_;
    QString lastSkinFailure_;  // the skin failure last reported
    bool blitOnly_ = false;    // a repaint that only shows surface_ again
    bool painting_ = false;    // inside the window's paint
};
