#pragma once

#include <QFont>
#include <QWidget>

#include "typeset/TVerticalPainter.h"

class QCheckBox;
class TVerticalPreview;

// The "縦書きプレビュー" window: the pages of a TVerticalPreview, one at a time, with the
// caret's cell marked. Page Up / Page Down, the arrow keys and the wheel turn pages, Home
// and End go to the first and last; a click on a cell asks to put the caret there.
class TVerticalPreviewWindow : public QWidget {
    Q_OBJECT

  public:
    static const QString kTitle;

    TVerticalPreviewWindow(const TVerticalPreview& preview, QWidget* parent);

    // The options shown by the controls, without signals.
    void ShowOptions(bool subtree, bool manuscript, bool mincho);
    // The face the characters are drawn in (the editor's, or a Mincho face).
    void SetFont(const QFont& font);
    // The rectangle the page is drawn in.
    QRectF PageRect() const;
    TVerticalStyle Style() const { return style_; }

  signals:
    void SubtreeChanged(bool subtree);
    void ManuscriptChanged(bool manuscript);
    void MinchoChanged(bool mincho);
    // A key or the wheel asks to turn by pages; to the first or the last with toEnd.
    void TurnRequested(int by, bool toEnd);
    // A click on cell of line (of the shown page).
    void CellClicked(int line, int cell);
    void PlaceChanged();
    // "印刷…" and "PDF…" were pressed.
    void PrintRequested();
    void PdfRequested();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    const TVerticalPreview& preview_;
    TVerticalStyle style_;
    QCheckBox* subtree_ = nullptr;
    QCheckBox* manuscript_ = nullptr;
    QCheckBox* mincho_ = nullptr;
    QWidget* bar_ = nullptr;
    int wheel_ = 0;  // wheel turn not yet a page
};
