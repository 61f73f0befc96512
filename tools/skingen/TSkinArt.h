#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QVector>

#include "TSkinPaper.h"

// One generated picture and the name it is written under.
struct TArtFile {
    QString Name;
    QImage Image;
};

// Draws the skin of the main window and the program's small pictures.
// Everything is computed from fixed formulas and fixed fonts: the same build
// environment always yields the same pixels. A scale of 2 draws the same skin
// for screens of twice the pixel density: every bitmap twice as wide and high,
// drawn at that resolution rather than enlarged.
class TSkinArt {
  public:
    explicit TSkinArt(int scale = 1) : paper_(scale) {}

    // The 68 skin bitmaps, named as the program reads them.
    QVector<TArtFile> SkinFiles() const;
    // The outline's item images, the program icon and the about picture; at a
    // larger scale the item images and the about picture named "<name>@2x.png".
    QVector<TArtFile> ResourceFiles() const;
    // The program icon at the sizes of the desktop's icon theme, named
    // "hedgerow-<size>.png"; an installation puts them into the theme's folders.
    QVector<TArtFile> IconFiles() const;

  private:
    QImage Back() const;
    QImage Title() const;
    QImage TitleBar(bool active) const;
    QImage SystemButton(const QString& kind) const;
    QImage MenuTitle(const QString& word, int width, bool active) const;
    QImage ToolButton(const QString& icon, int x, int y, bool active) const;
    QImage ArrowButton(const QString& dir, int x, int y, bool active) const;
    QImage ItemButton(const QString& word, int x, int y, const QString& look) const;
    QImage LinkTab(const QString& word, int height, bool active) const;
    QVector<TArtFile> RoundFrame() const;
    QImage ItemImage(bool selected) const;
    QImage Icon(int size) const;
    QImage About() const;

    TSkinPaper paper_;
};
