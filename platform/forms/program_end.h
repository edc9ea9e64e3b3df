#pragma once
// The end of the program when something outside asks for it (a signal, the desktop session's end).
// It may come while a modal loop runs — a dialog inside a window's load, a message box, a modal
// window — whose window the end would tear down under it. So the end is unattended from the moment
// it is asked for (no box waits, see vb/unattended_end.h), every modal loop is closed first, and the
// end itself runs once, from the main event loop, with no modal loop left.
#include <functional>

namespace forms {

// Runs the application's main event loop (QApplication::exec); an end asked for before it runs
// waits for it.
int execMainLoop();

// Asks for the end: `end` runs once (at once when nothing modal runs). Later asks are ignored.
void endFromOutside(std::function<void()> end);

// Closes every modal window that is open: dialogs are rejected, other windows hidden.
void closeModalWindows();

}  // namespace forms
