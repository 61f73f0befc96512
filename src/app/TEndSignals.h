#pragma once

#include <QObject>

class QSocketNotifier;

// The signals that end a program from outside (SIGTERM at system shutdown, SIGHUP when
// its terminal closes, SIGINT for Ctrl+C), delivered to the event loop instead of ending
// the process on the spot. One instance a process.
class TEndSignals : public QObject {
    Q_OBJECT

  public:
    explicit TEndSignals(QObject* parent = nullptr);
    ~TEndSignals() override;

  signals:
    void Received(int signalNumber);

  private:
    static void Handle(int signalNumber);
    void Deliver();

    QSocketNotifier* notifier_ = nullptr;
};
