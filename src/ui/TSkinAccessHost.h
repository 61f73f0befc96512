#pragma once

#include <QRect>
#include <QString>
#include <QVector>

#include "skin/TSkinLayout.h"

// What the accessible interfaces of the skinned main window ask of it.
class TSkinAccessHost {
  public:
    virtual ~TSkinAccessHost() = default;

    // The drawn elements that can be pressed, with their places in window pixels.
    virtual QVector<TSkinElement> PressableElements() const = 0;
    // Does what a click on the element does.
    virtual void PressElement(SkinCode code) = 0;
    virtual QString HintLineText() const = 0;
    virtual QRect HintLineRect() const = 0;
};
