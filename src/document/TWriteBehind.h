#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Item text files written behind the user's back: opening a document hands the texts
// here as they stand in the document (already in the form of their files), and a thread
// of its own writes them, so that the window is usable as soon as the document is read.
// Until an item's file is written, its bytes stay here and are read from here.
//
// The thread writes without holding the lock, so that reads never wait for a file to be
// written; a store of the same item waits until the thread is done with it, so a text
// the user stored meanwhile is never overwritten by the older one.
//
// Before the item files, the thread writes the document's bytes once to a file of their
// own (the source): from then on a recovery record can name the texts not yet written as
// parts of it, so that a session killed while the files are written loses nothing. Once
// every file is written, the source goes.
class TWriteBehind {
  public:
    // A text as its file will hold it: a part of a document's bytes, kept alive here.
    struct TText {
        QByteArray document;
        qsizetype offset = 0;
        qsizetype length = 0;
        qsizetype lineCount = 0;
        QByteArrayView Bytes() const { return QByteArrayView(document).sliced(offset, length); }
    };
    // Where a text not yet written stands in the source.
    struct TSourceText {
        int itemNumber = 0;
        qsizetype offset = 0;
        qsizetype length = 0;
        qsizetype lineCount = 0;
        bool operator==(const TSourceText&) const = default;
    };
    // Writes an item's file; returns 0 or the system's error number (-1 for none).
    using FileWriter = std::function<int(int itemNumber, QByteArrayView bytes)>;
    // Writes the source durably, or removes it when given nothing; returns 0 or an error
    // number, as FileWriter does.
    using SourceWriter = std::function<int(std::optional<QByteArrayView> document)>;
    // Called on the writing thread when a file cannot be written: the item's number and
    // the error number. Writing stops there; the texts stay here. Only the first failure
    // is reported until every text is written.
    using FailureHandler = std::function<void(int itemNumber, int error)>;

    TWriteBehind(FileWriter write, SourceWriter writeSource)
        : write_(std::move(write)), writeSource_(std::move(writeSource)) {}
    ~TWriteBehind();  // stops writing and waits for the thread

    void SetFailureHandler(FailureHandler failed);

    // Keeps text for the item until the thread has written it (see Start).
    void Add(int itemNumber, TText text);
    // Starts writing every text added, unless a thread is at it already.
    void Start();

    // The text of an item whose file is not written yet.
    std::optional<TText> Pending(int itemNumber) const;
    bool Busy() const;  // texts are waiting to be written
    std::vector<int> PendingNumbers() const;
    // The texts not yet written as parts of the source; nothing while the source is not
    // on the disk yet (or could not be written).
    std::optional<std::vector<TSourceText>> PendingInSource() const;
    // The texts not yet written as parts of the document they come from, when they all
    // come from one, with that document: what a record names while the source could not
    // be written (the document's own file may hold the same bytes).
    std::optional<std::pair<QByteArray, std::vector<TSourceText>>> PendingInDocument() const;
    // Texts wait, but writing stopped at a failure: Start() tries again, and a failure
    // of that try is not reported again.
    bool Stopped() const;
    // The source is on the disk already, holding document: a recovered session's texts.
    void UseSourceOnDisk(const QByteArray& document);

    // Runs write, the store's own write of the item's file, with the text kept here for
    // the item dropped first: nothing of the thread's can come after it.
    template <typename Write>
    auto Replacing(int itemNumber, Write write) {
        std::unique_lock lock(mutex_);
        texts_.erase(itemNumber);
        written_.wait(lock, [&] { return writing_ != itemNumber; });
        return write();
    }

    // Drops every text not yet written and stops the thread.
    void DiscardAll();
    // Waits until every text is written, or writing stopped at a failure.
    void Finish();

  private:
    void Run();
    void Join();

    void WriteSource(std::unique_lock<std::mutex>& lock, const QByteArray& document);

    FileWriter write_;
    SourceWriter writeSource_;
    FailureHandler failed_;
    mutable std::mutex mutex_;
    std::map<int, TText> texts_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    bool running_ = false;          // under mutex_
    bool failureReported_ = false;  // since the texts were last all written, under mutex_
    int writing_ = -1;              // the item whose file the thread writes now, under mutex_
    QByteArray sourceTried_;        // the document whose source was written or tried, under mutex_
    QByteArray sourceOnDisk_;       // the document whose source is written, under mutex_
    std::condition_variable written_;
};
