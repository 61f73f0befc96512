#include "ui/TLatestWork.h"

TLatestWork::TLatestWork(QObject* parent)
    : QObject(parent), cancel_(std::make_shared<std::atomic<bool>>(false)) {
    pool_.setMaxThreadCount(1);
}

TLatestWork::~TLatestWork() {
    Cancel();
    pool_.waitForDone();
}

unsigned TLatestWork::Begin() {
    Cancel();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    busy_ = true;
    return ++generation_;
}

bool TLatestWork::Current(unsigned generation) {
    if (generation != generation_) return false;  // newer work is on its way
    busy_ = false;
    return true;
}

void TLatestWork::Cancel() {
    cancel_->store(true);
    pool_.clear();  // work not yet begun never begins
    ++generation_;
    busy_ = false;
}
