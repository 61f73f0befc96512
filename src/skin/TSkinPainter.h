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
// A missing file fails with AppError "ファイル <full path> は開けません", an
// unreadable one with AppError "ビットマップイメージが不正です"; the drawing that
// needed the file is abandoned at that step.
class TSkinPainter {
  public:
    explicit TSkinPainter(QString dataDir);

    const QString& DataDir() const { return dataDir_; }

    // The full path of a skin file: the exact name if it exists, otherwise the
    // first entry of the folder whose name equals it regardless of letter case,
    // otherwise the exact name (which then does not exist).
    QString PathOf(const QString& fileName) const;

    // Reads one skin file. Throws AppError.
    QImage Load(const QString& fileName) const;

    // The whole skin in a new W x H image: background, title image, shadows of
    // the outline and the editor, the sixteen buttons in their normal looks, the
    // rounded frame, title band, title-bar image, window buttons, menu band,
    // menu titles, outer border, link tabs. Throws AppError.
    QImage Compose(const TSkinScene& scene) const;

    // Draws one element (codes 1-7, 9-25, 35, 36) in the given look at its
    // place. Codes without a drawn look (8, 26-34) draw nothing; the window
    // buttons have one look whatever is asked, and in the minimised state the
    // middle one is not drawn. Returns the rectangle the bitmap covers (empty when
    // nothing was drawn). Throws AppError.
    QRect DrawElement(QPainter& painter, int code, TSkinLook look, int W, int H,
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

    QString dataDir_;
    mutable int filesRead_ = 0;
};
