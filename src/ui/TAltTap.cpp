#include "ui/TAltTap.h"

#include <Qt>

void TAltTap::KeyPress(int key) { armed_ = key == Qt::Key_Alt && !composing_; }

bool TAltTap::KeyRelease(int key) {
    const bool tap = armed_ && key == Qt::Key_Alt && !composing_;
    armed_ = false;
    return tap;
}

void TAltTap::Interrupt() { armed_ = false; }

void TAltTap::InputMethod(bool composing) {
    composing_ = composing;
    armed_ = false;
}
