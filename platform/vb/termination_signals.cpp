#include "platform/vb/termination_signals.h"

#include <QObject>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace vb {

namespace {
int gPipe[2] = {-1, -1};

void handler(int signal) {
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(gPipe[1], &byte, 1);
}
}  // namespace

void onTerminationSignals(QObject* context, std::function<void(int)> onSignal) {
    if (gPipe[0] < 0 && ::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [onSignal = std::move(onSignal)] {
        unsigned char byte = 0;
        while (::read(gPipe[0], &byte, 1) == 1) onSignal(byte);
    });
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGHUP, &action, nullptr);
}

}  // namespace vb
