#include "ui/TVerticalPreviewWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "ui/TVerticalPreview.h"

const QString TVerticalPreviewWindow::kTitle = QStringLiteral("縦書きプレビュー");

TVerticalPreviewWindow::TVerticalPreviewWindow(const TVerticalPreview& preview, QWidget* parent)
    : QWidget(parent, Qt::Tool), preview_(preview) {
    setObjectName(QStringLiteral("VerticalPreviewWindow"));
    setWindowTitle(kTitle);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(240, 300);
    bar_ = new QWidget(this);
    auto* row = new QHBoxLayout(bar_);
    row->setContentsMargins(6, 4, 6, 4);
    subtree_ = new QCheckBox(QStringLiteral("下位を含む"), bar_);
    manuscript_ = new QCheckBox(QStringLiteral("原稿用紙"), bar_);
    mincho_ = new QCheckBox(QStringLiteral("明朝体"), bar_);
    subtree_->setObjectName(QStringLiteral("Subtree"));
    manuscript_->setObjectName(QStringLiteral("Manuscript"));
    mincho_->setObjectName(QStringLiteral("Mincho"));
    for (QCheckBox* box : {subtree_, manuscript_, mincho_}) {
        box->setFocusPolicy(Qt::TabFocus);
        row->addWidget(box);
    }
    row->addStretch();
    auto* print = new QPushButton(QStringLiteral("印刷…"), bar_);
    auto* pdf = new QPushButton(QStringLiteral("PDF…"), bar_);
    print->setObjectName(QStringLiteral("Print"));
    pdf->setObjectName(QStringLiteral("Pdf"));
    for (QPushButton* button : {print, pdf}) {
        button->setFocusPolicy(Qt::TabFocus);
        row->addWidget(button);
    }
    connect(print, &QPushButton::clicked, this, &TVerticalPreviewWindow::PrintRequested);
    connect(pdf, &QPushButton::clicked, this, &TVerticalPreviewWindow::PdfRequested);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(bar_);
    column->addStretch();
    connect(subtree_, &QCheckBox::toggled, this, &TVerticalPreviewWindow::SubtreeChanged);
    connect(manuscript_, &QCheckBox::toggled, this, [this](bool on) {
        style_.manuscript = on;
        update();
        emit ManuscriptChanged(on);
    });
    connect(mincho_, &QCheckBox::toggled, this, &TVerticalPreviewWindow::MinchoChanged);
}

void TVerticalPreviewWindow::ShowOptions(bool subtree, bool manuscript, bool mincho) {
    const QSignalBlocker a(subtree_), b(manuscript_), c(mincho_);
    subtree_->setChecked(subtree);
    manuscript_->setChecked(manuscript);
    mincho_->setChecked(mincho);
    style_.manuscript = manuscript;
    update();
}

void TVerticalPreviewWindow::SetFont(const QFont& font) {
    style_.font = font;
    update();
}

QRectF TVerticalPreviewWindow::PageRect() const {
    return QRectF(0, bar_->height(), width(), height() - bar_->height());
}

void TVerticalPreviewWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(rect(), palette().window());
    TVerticalPainter(preview_.Pages(), style_)
        .Paint(painter, PageRect(), preview_.Page(), preview_.Marked());
}

void TVerticalPreviewWindow::keyPressEvent(QKeyEvent* event) {
    // Pages turn as in a book written vertically: the next page lies to the left.
    switch (event->key()) {
        case Qt::Key_PageDown:
        case Qt::Key_Left:
        case Qt::Key_Down: emit TurnRequested(1, false); return;
        case Qt::Key_PageUp:
        case Qt::Key_Right:
        case Qt::Key_Up: emit TurnRequested(-1, false); return;
        case Qt::Key_Home: emit TurnRequested(-1, true); return;
        case Qt::Key_End: emit TurnRequested(1, true); return;
        default: QWidget::keyPressEvent(event);
    }
}

void TVerticalPreviewWindow::wheelEvent(QWheelEvent* event) {
    wheel_ += event->angleDelta().y();
    while (wheel_ >= 120) {
        wheel_ -= 120;
        emit TurnRequested(-1, false);
    }
    while (wheel_ <= -120) {
        wheel_ += 120;
        emit TurnRequested(1, false);
    }
    event->accept();
}

void TVerticalPreviewWindow::mousePressEvent(QMouseEvent* event) {
    setFocus();
    const TVerticalGeometry geometry(PageRect(), preview_.Pages().Options().grid);
    if (const auto cell = geometry.CellAt(event->position()))
        emit CellClicked(cell->first, cell->second);
}

void TVerticalPreviewWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    emit PlaceChanged();
}

void TVerticalPreviewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit PlaceChanged();
}
