#pragma once
// SIGTERM and SIGHUP as events of the user-interface thread: the signal handler only writes a byte
// to a pipe, and the event loop calls `onSignal` with the signal number, so the program ends through
// its ordinary unload, which saves what is on screen.
#include <functional>

class QObject;

namespace vb {

// Installs the handlers; `onSignal` runs on the thread of `context` (normally the application).
void onTerminationSignals(QObject* context, std::function<void(int signal)> onSignal);

}  // namespace vb
