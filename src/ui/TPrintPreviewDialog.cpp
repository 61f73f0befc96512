#include "ui/TPrintPreviewDialog.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QWheelEvent>
#include <limits>

#include "ui/TPagePreview.h"
#include "ui/TPrintedOutline.h"

namespace {

constexpr int kCountingPoll = 100;  // ms between looks at the counting
constexpr int kWheelStep = 120;     // a wheel's notch
const QColor kBackground(0x80, 0x80, 0x80);

}  // namespace

TPrintPreviewDialog::TPrintPreviewDialog(const TOutlineEntries& entries, const QFont& font,
                                         QPrinter& printer, QWidget* parent)
    : QDialog(parent),
      printer_(printer),
      preview_(std::make_unique<TPagePreview>(entries, font, printer.pageLayout())) {
    setWindowTitle(QStringLiteral("印刷プレビュー"));
    // The keys turn pages whatever was clicked last: the buttons take no focus.
    setFocusPolicy(Qt::StrongFocus);
    bar_ = new QWidget(this);
    auto* row = new QHBoxLayout(bar_);
    previous_ = AddButton(QStringLiteral("前のページ"), &TPrintPreviewDialog::Previous);
    row->addWidget(previous_);
    indicator_ = new QLabel(bar_);
    indicator_->setAlignment(Qt::AlignCenter);
    indicator_->setMinimumWidth(
        indicator_->fontMetrics().horizontalAdvance(QStringLiteral("00000 / 00000")));
    row->addWidget(indicator_);
    next_ = AddButton(QStringLiteral("次のページ"), &TPrintPreviewDialog::Next);
    row->addWidget(next_);
    row->addStretch(1);
    row->addWidget(AddButton(QStringLiteral("印刷…"), &TPrintPreviewDialog::AskToPrint));
    row->addWidget(AddButton(QStringLiteral("閉じる"), &TPrintPreviewDialog::reject));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);
    layout->addWidget(bar_);

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    const int height = available.height() * 9 / 10;
    resize(std::min(available.width(), height * 4 / 5), height);

    connect(&counting_, &QTimer::timeout, this, &TPrintPreviewDialog::Update);
    counting_.start(kCountingPoll);
    Show();
}

TPrintPreviewDialog::~TPrintPreviewDialog() = default;

QPushButton* TPrintPreviewDialog::AddButton(const QString& text,
                                            void (TPrintPreviewDialog::*slot)()) {
    auto* button = new QPushButton(text, bar_);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

TPrintedOutline TPrintPreviewDialog::Printed() const {
    TPrintedOutline printed(preview_->Pages());
    if (printer_.printRange() == QPrinter::PageRange)
        printed.SetRange(printer_.fromPage(), printer_.toPage());
    else if (printer_.printRange() == QPrinter::CurrentPage)
        printed.SetRange(preview_->Current() + 1, preview_->Current() + 1);
    return printed;
}

void TPrintPreviewDialog::done(int result) {
    counting_.stop();
    preview_->StopCounting();
    QDialog::done(result);
}

void TPrintPreviewDialog::Previous() {
    preview_->Previous();
    Show();
}

void TPrintPreviewDialog::Next() {
    preview_->Next();
    Show();
}

void TPrintPreviewDialog::AskToPrint() {
    QPrintDialog dialog(&printer_, this);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    const int total = preview_->Total();
    dialog.setMinMax(1, total > 0 ? total : std::numeric_limits<int>::max());
    if (dialog.exec() == QDialog::Accepted) accept();
}

void TPrintPreviewDialog::Update() {
    const bool counted = preview_->Total() > 0;
    if (!preview_->Update()) counting_.stop();
    // The count shows in the indicator and the page's footer.
    if ((preview_->Total() > 0) != counted) Show();
}

void TPrintPreviewDialog::Show() {
    indicator_->setText(preview_->Indicator());
    previous_->setEnabled(!preview_->AtFirst());
    next_->setEnabled(!preview_->AtLast());
    update();
}

QRect TPrintPreviewDialog::PageArea() const {
    return QRect(0, 0, width(), bar_->geometry().top()).adjusted(12, 12, -12, -4);
}

void TPrintPreviewDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), bar_->geometry().top()), kBackground);
    preview_->Paint(painter, PageArea());
}

void TPrintPreviewDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageDown:
        case Qt::Key_Down:
        case Qt::Key_Right: Next(); break;
        case Qt::Key_PageUp:
        case Qt::Key_Up:
        case Qt::Key_Left: Previous(); break;
        case Qt::Key_Home:
            preview_->Go(0);
            Show();
            break;
        case Qt::Key_End:
            preview_->Last();
            Show();
            break;
        default: QDialog::keyPressEvent(event);
    }
}

void TPrintPreviewDialog::wheelEvent(QWheelEvent* event) {
    wheel_ += event->angleDelta().y();
    for (; wheel_ >= kWheelStep; wheel_ -= kWheelStep) Previous();
    for (; wheel_ <= -kWheelStep; wheel_ += kWheelStep) Next();
}
