#include "ui/TPageCounter.h"

#include <QMutexLocker>
#include <QThread>

TPageCounter::TPageCounter(const TOutlinePages& pages)
    : starts_(pages.Starts()), complete_(pages.Complete()) {
    thread_.reset(QThread::create([this, pages]() mutable { Count(std::move(pages)); }));
    // The window's own work, the page shown among it, goes first.
    thread_->start(QThread::LowPriority);
}

TPageCounter::~TPageCounter() {
    stop_ = true;
    thread_->wait();
}

void TPageCounter::Count(TOutlinePages pages) {
    while (!stop_ && pages.LayOutNext()) {
        const QMutexLocker lock(&mutex_);
        starts_.push_back(pages.Starts().back());
    }
    const QMutexLocker lock(&mutex_);
    complete_ = pages.Complete();
}

void TPageCounter::HandOver(TOutlinePages& pages) const {
    const QMutexLocker lock(&mutex_);
    pages.Adopt(starts_, complete_);
}
