#include "ui/TUpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace {

QToolButton* ArrowButton(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    UpButton = ArrowButton(this, Qt::UpArrow);
    DownButton = ArrowButton(this, Qt::DownArrow);
    connect(UpButton, &QToolButton::clicked, this, [this] { StepBy(1); });
    connect(DownButton, &QToolButton::clicked, this, [this] { StepBy(-1); });
}

void TUpDown::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    SetPosition(position_);
}

void TUpDown::SetPosition(int position) { position_ = std::clamp(position, minimum_, maximum_); }

void TUpDown::SetBuddy(QLineEdit* buddy) { buddy_ = buddy; }

void TUpDown::StepBy(int steps) {
    const int before = position_;
    SetPosition(position_ + steps);
    if (position_ != before && buddy_) buddy_->setText(QString::number(position_));
}

void TUpDown::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up) return StepBy(1);
    if (event->key() == Qt::Key_Down) return StepBy(-1);
    QWidget::keyPressEvent(event);
}

void TUpDown::resizeEvent(QResizeEvent*) {
    const int upper = height() / 2;
    UpButton->setGeometry(0, 0, width(), upper);
    DownButton->setGeometry(0, upper, width(), height() - upper);
}
