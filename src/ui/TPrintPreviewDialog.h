#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

#include "interchange/TOutlineEntry.h"

class QLabel;
class QPrinter;
class QPushButton;
class TPagePreview;
class TPrintedOutline;

// The print preview: one page at a time, as large as the window lets it, laid out when it
// is shown while the pages are counted in the background ("1 / …" until they are).
// "前のページ" and "次のページ", Page Up and Page Down, the arrow keys and the wheel turn the
// pages, Home and End go to the first and the last; Escape and "閉じる" close it.
// "印刷…" asks the print dialog and, when the user prints, closes it accepted: Printed()
// then gives what to print.
class TPrintPreviewDialog : public QDialog {
    Q_OBJECT

  public:
    // font: sized in points; printer: its paper and margins lay the pages out, and the
    // print dialog sets it up.
    TPrintPreviewDialog(const TOutlineEntries& entries, const QFont& font, QPrinter& printer,
                        QWidget* parent = nullptr);
    ~TPrintPreviewDialog() override;

    // The outline with the pages laid out so far and the pages the print dialog chose.
    TPrintedOutline Printed() const;

    const TPagePreview& Preview() const { return *preview_; }

    void done(int result) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    QPushButton* AddButton(const QString& text, void (TPrintPreviewDialog::*slot)());
    void Previous();
    void Next();
    void AskToPrint();
    // Takes over what the counting found and shows it.
    void Update();
    void Show();
    QRect PageArea() const;

    QPrinter& printer_;
    std::unique_ptr<TPagePreview> preview_;
    QWidget* bar_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QLabel* indicator_ = nullptr;
    QTimer counting_;
    int wheel_ = 0;  // the wheel's turn not yet taken as pages
};
