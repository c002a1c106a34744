#include "app/TerminationSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>

namespace app {
namespace {

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop reads the byte.
void onSignal(int) {
    char byte = 1;
    [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

void quitEventLoopOnTerminationSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        char byte = 0;
        [[maybe_unused]] ssize_t n = ::read(signalPipe[0], &byte, 1);
        // exit, not quit: quit asks the windows to close, and the window refuses while an
        // operation runs; a termination signal must end the run all the same.
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace app
