#include "ui/TVerForm.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include "platform/TWindowSystem.h"

namespace {

void FillWith(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace

TVerForm::TVerForm(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("VerForm"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(206, 176);
    FillWith(this, Qt::black);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setGeometry(3, 3, 200, 170);
    FillWith(Panel1, Qt::white);
    // A click on the white margin stays with the panel and does nothing.
    Panel1->setAttribute(Qt::WA_NoMousePropagation);

    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(5, 5, 190, 160);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setAccessibleName(windowTitle());
    // The picture of the screen's pixel density (about@2x.png on dense screens).
    Image1->setPixmap(QIcon(QStringLiteral(":/images/about.png")).pixmap(QSize(190, 160)));
    Image1->installEventFilter(this);
}

TVerForm* TVerForm::ShowNew(QWidget* mainWindow) {
    if (VerForm) {
        VerForm->close();
        VerForm->deleteLater();
    }
    auto* form = new TVerForm;
    // Owned by the application: released when it quits at the latest.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp,
                     [guard = QPointer<TVerForm>(form)] { delete guard.data(); });
    VerForm = form;
    form->mainWindow_ = mainWindow;

    QRect over = mainWindow ? mainWindow->frameGeometry() : QRect();
    if (over.isEmpty() && QGuiApplication::primaryScreen())
        over = QGuiApplication::primaryScreen()->availableGeometry();
    form->move(over.x() + (over.width() - form->width()) / 2,
               over.y() + (over.height() - form->height()) / 2);
    // Where the compositor places the windows, it places the box by its parent.
    if (mainWindow && !TWindowSystem().PlacesOwnWindows()) {
        form->winId();
        form->windowHandle()->setTransientParent(mainWindow->window()->windowHandle());
    }
    form->show();
    form->raise();
    form->activateWindow();
    return form;
}

void TVerForm::FormDeactivate() { close(); }

void TVerForm::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        FormDeactivate();
}

void TVerForm::mousePressEvent(QMouseEvent* event) {
    // Only presses on the black border reach the window itself.
    event->accept();
    FormDeactivate();
}

void TVerForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    FormDeactivate();
    // Without a window manager nobody else gives the activation back.
    if (mainWindow_ && mainWindow_->isVisible()) mainWindow_->activateWindow();
}

bool TVerForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress) {
        FormDeactivate();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
