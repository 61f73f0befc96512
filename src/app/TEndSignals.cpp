#include "app/TEndSignals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace {

// The handler only writes the signal's number into this pipe: the event loop reads it.
int pipeEnds[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

}  // namespace

TEndSignals::TEndSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0) return;
    ::fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    ::fcntl(pipeEnds[1], F_SETFL, O_NONBLOCK);
    notifier_ = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TEndSignals::Deliver);
    struct sigaction action {};
    action.sa_handler = &TEndSignals::Handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kSignals) ::sigaction(signalNumber, &action, nullptr);
}

TEndSignals::~TEndSignals() {
    for (int signalNumber : kSignals) ::signal(signalNumber, SIG_DFL);
}

void TEndSignals::Handle(int signalNumber) {
    const char number = static_cast<char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &number, 1);
}

void TEndSignals::Deliver() {
    char number = 0;
    while (::read(pipeEnds[1], &number, 1) == 1) emit Received(number);
}
