#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include "skin/TSkinLayout.h"

class QPainter;

// What a full skin drawing depends on.
struct TSkinScene {
    int W = 800;
    int H = 600;
    // The main window is the active window: the active title-bar image.
    bool Active = true;
    TWindowState State = TWindowState::Normal;
    QRect Tree;
    QRect Editor;
};

// Draws the skin from the bitmap files of one folder. Every file is read from
// disk when its step comes and released right after; nothing is cached.
// On screens denser than one device pixel per window pixel the bitmaps of the
// folder's subfolder "2x" are used, drawn at the same window coordinates; a file
// missing there falls back to the ordinary one.
// A missing file fails with AppError "ファイル <full path> は開けません", an
// unreadable one with AppError "ビットマップイメージが不正です"; the drawing that
// needed the file is abandoned at that step.
class TSkinPainter {
  public:
    explicit TSkinPainter(QString dataDir);

    const QString& DataDir() const { return dataDir_; }

    // Device pixels per window pixel of what is drawn on; 1 unless set.
    void SetDevicePixelRatio(qreal ratio) { ratio_ = ratio; }
    // The scale of the bitmaps drawn at a device pixel ratio: 2 above 1, else 1.
    static int BitmapScaleFor(qreal ratio) { return ratio > 1 ? 2 : 1; }
    // An empty W x H (window pixels) image with the device pixels of the ratio.
    static QImage NewSurface(int W, int H, qreal ratio);
    // Sets up a painter on such a surface for drawing the bitmaps.
    void PreparePainter(QPainter& painter) const;

    // The full path of a skin file: the exact name if it exists, otherwise the
    // first entry of the folder whose name equals it regardless of letter case,
    // otherwise the exact name (which then does not exist).
    QString PathOf(const QString& fileName) const;

    // Reads one skin file, of the bitmap scale of the device pixel ratio when
    // there is one; the image carries that scale as its device pixel ratio.
    // Throws AppError when the ordinary file cannot be read.
    QImage Load(const QString& fileName) const;

    // The whole skin in a new W x H image (in window pixels, with the device pixels
    // of the device pixel ratio): background, title image, shadows of
    // the outline and the editor, the sixteen buttons in their normal looks, the
    // rounded frame, title band, title-bar image, window buttons, menu band,
    // menu titles, outer border, link tabs. Throws AppError.
    QImage Compose(const TSkinScene& scene) const;

    // Draws one element (a button, a menu title, a system button or a link tab) in the given look
    // at its place. Codes without a drawn look (8, 26-34) draw nothing; the window buttons have one
    // look whatever is asked, and in the minimised state the middle one is not drawn. Returns the
    // rectangle the bitmap covers (empty when nothing was drawn). Throws AppError.
    QRect DrawElement(QPainter& painter, SkinCode code, TSkinLook look, int W, int H,
                      TWindowState state = TWindowState::Normal) const;

    // The title-bar image, active or inactive, at its place. Throws AppError.
    void DrawTitleBar(QPainter& painter, bool active) const;

    // Clears the hint line: the top 15 rows of the background tile stretched
    // over the hint band. The caller writes its text afterwards. Throws AppError.
    void DrawHintBand(QPainter& painter, int W, int H) const;

    // Files read since construction (each step's file counts once).
    int FilesRead() const { return filesRead_; }

  private:
    // Returns the rectangle drawn.
    QRect DrawAt(QPainter& painter, const QString& fileName, QPoint at) const;
    static QString PathIn(const QString& folder, const QString& fileName);
    // The file of the denser bitmaps; a null image when there is none to read.
    QImage LoadDense(const QString& fileName) const;

    QString dataDir_;
    qreal ratio_ = 1;
    mutable int filesRead_ = 0;
};
