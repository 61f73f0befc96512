#include "document/TWriteBehind.h"

#include <cerrno>

namespace {

bool IsLackOfRoom(int error) { return error == ENOSPC || error == EDQUOT || error == EFBIG; }

}  // namespace

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

void TWriteBehind::WriteSource(std::unique_lock<std::mutex>& lock, const QByteArray& document) {
    sourceTried_ = document;
    lock.unlock();
    // Without a source the texts are still written; only a record must wait for them.
    const bool written = writeSource_(document) == 0;
    if (!written) writeSource_(std::nullopt);  // a part of it would only take room
    lock.lock();
    if (written) sourceOnDisk_ = document;
}

void TWriteBehind::Run() {
    std::unique_lock lock(mutex_);
    while (!stop_ && !texts_.empty()) {
        const auto [number, text] = *texts_.begin();
        // The texts of a document opened while another's were written come after those.
        if (text.document.constData() != sourceTried_.constData()) {
            WriteSource(lock, text.document);
            continue;  // a store may have taken a text meanwhile
        }
        writing_ = number;
        lock.unlock();
        const int error = write_(number, text.Bytes());
        lock.lock();
        writing_ = -1;
        written_.notify_all();
        if (IsLackOfRoom(error) && !sourceOnDisk_.isNull()) {
            // On a full disk the copy gives its room to the texts it holds: records wait
            // for the files again, as without a copy.
            sourceOnDisk_.clear();
            lock.unlock();
            writeSource_(std::nullopt);
            lock.lock();
            continue;
        }
        if (error != 0) {
            running_ = false;
            const FailureHandler failed = failureReported_ ? nullptr : failed_;
            failureReported_ = true;
            lock.unlock();
            if (failed) failed(number, error);
            return;
        }
        // Unless a store replaced it meanwhile, the text now lives in its file.
        const auto still = texts_.find(number);
        if (still != texts_.end() &&
            still->second.document.constData() == text.document.constData() &&
            still->second.offset == text.offset)
            texts_.erase(still);
    }
    running_ = false;
    if (texts_.empty()) failureReported_ = false;
    if (!stop_ && texts_.empty() && !sourceTried_.isNull()) {
        sourceTried_.clear();
        sourceOnDisk_.clear();
        lock.unlock();
        writeSource_(std::nullopt);  // every text is in its file: no record needs it now
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

std::optional<std::vector<TWriteBehind::TSourceText>> TWriteBehind::PendingInSource() const {
    std::lock_guard lock(mutex_);
    std::vector<TSourceText> inSource;
    inSource.reserve(texts_.size());
    for (const auto& [number, text] : texts_) {
        if (text.document.constData() != sourceOnDisk_.constData()) return std::nullopt;
        inSource.push_back({number, text.offset, text.length, text.lineCount});
    }
    return inSource;
}

std::optional<std::pair<QByteArray, std::vector<TWriteBehind::TSourceText>>>
TWriteBehind::PendingInDocument() const {
    std::lock_guard lock(mutex_);
    std::vector<TSourceText> texts;
    texts.reserve(texts_.size());
    const char* document = texts_.empty() ? nullptr : texts_.begin()->second.document.constData();
    for (const auto& [number, text] : texts_) {
        if (text.document.constData() != document) return std::nullopt;
        texts.push_back({number, text.offset, text.length, text.lineCount});
    }
    return std::pair{texts_.empty() ? QByteArray() : texts_.begin()->second.document,
                     std::move(texts)};
}

bool TWriteBehind::Stopped() const {
    std::lock_guard lock(mutex_);
    return !running_ && !texts_.empty();
}

void TWriteBehind::UseSourceOnDisk(const QByteArray& document) {
    std::lock_guard lock(mutex_);
    sourceTried_ = document;
    sourceOnDisk_ = document;
}

void TWriteBehind::DiscardAll() {
    stop_ = true;
    Join();
    std::lock_guard lock(mutex_);
    texts_.clear();
    sourceTried_.clear();
    sourceOnDisk_.clear();
    failureReported_ = false;
    stop_ = false;
}

void TWriteBehind::Finish() { Join(); }

void TWriteBehind::Join() {
    if (thread_.joinable()) thread_.join();
}
