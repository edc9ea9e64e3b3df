#pragma once
// How the program ends when told to from outside: SIGTERM, SIGHUP and the desktop session's end run
// the library window's one unload, as closing the window does, but unattended (no box waits; what
// could not be stored goes to a recovery file, and the next start says so), and only once no modal
// loop runs any more.
class QApplication;

namespace library {

void endThroughUnloadFromOutside(QApplication& app);

}  // namespace library
