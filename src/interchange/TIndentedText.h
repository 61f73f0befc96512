#pragma once

#include <QByteArrayView>
#include <QStringList>

#include "interchange/TOutlineEntry.h"

// Indented text, as many programs copy an outline: one label per line, indented by one
// tab per level, or by spaces. The indent of spaces is the smallest number of spaces any
// line begins with; a tab counts as one indent wherever it stands. Blank lines are left
// out, labels lose the blanks around them, and no item has a text.
class TIndentedText {
  public:
    static TOutlineEntries Read(QByteArrayView bytes);

  private:
    static int SpaceIndent(const QStringList& lines);
    // The indents a line begins with.
    static qsizetype IndentsOf(const QString& line, int spaceIndent);
};
