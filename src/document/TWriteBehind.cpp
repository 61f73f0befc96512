#include "document/TWriteBehind.h"

TWriteBehind::~TWriteBehind() {
    stop_ = true;
    Join();
}

void TWriteBehind::SetFailureHandler(FailureHandler failed) {
    std::lock_guard lock(mutex_);
    failed_ = std::move(failed);
}

void TWriteBehind::Add(int itemNumber, TText text) {
    std::lock_guard lock(mutex_);
    texts_[itemNumber] = std::move(text);
}

void TWriteBehind::Start() {
    {
        std::lock_guard lock(mutex_);
        if (running_ || texts_.empty()) return;
    }
    Join();  // a thread that has just finished
    std::lock_guard lock(mutex_);
    stop_ = false;
    running_ = true;
    thread_ = std::thread([this] { Run(); });
}

void TWriteBehind::Run() {
    for (;;) {
        std::unique_lock lock(mutex_);
        if (stop_ || texts_.empty()) {
            running_ = false;
            return;
        }
        const auto next = texts_.begin();
        const int number = next->first;
        const int error = write_(number, next->second.Bytes());
        if (error != 0) {
            running_ = false;
            const FailureHandler failed = failed_;
            lock.unlock();
            if (failed) failed(number, error);
            return;
        }
        texts_.erase(next);
    }
}

std::optional<TWriteBehind::TText> TWriteBehind::Pending(int itemNumber) const {
    std::lock_guard lock(mutex_);
    const auto found = texts_.find(itemNumber);
    if (found == texts_.end()) return std::nullopt;
    return found->second;
}

bool TWriteBehind::Busy() const {
    std::lock_guard lock(mutex_);
    return !texts_.empty();
}

std::vector<int> TWriteBehind::PendingNumbers() const {
    std::lock_guard lock(mutex_);
    std::vector<int> numbers;
    numbers.reserve(texts_.size());
    for (const auto& [number, text] : texts_) numbers.push_back(number);
    return numbers;
}

void TWriteBehind::DiscardAll() {
    stop_ = true;
    Join();
    std::lock_guard lock(mutex_);
    texts_.clear();
    stop_ = false;
}

void TWriteBehind::Finish() { Join(); }

void TWriteBehind::Join() {
    if (thread_.joinable()) thread_.join();
}
