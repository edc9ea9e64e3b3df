#pragma once
// App.PrevInstance over a lock file in the user's runtime folder: the copy of the program that holds
// the lock is the first one; a copy that finds it held by a live process is a later one. A copy that
// ended without releasing it (a crash) leaves a stale lock that the next copy takes over.
#include <QString>

namespace calendar {

// Takes the program's lock for the rest of the run when it is free; true when this copy holds it.
// The program calls it at start so that a later copy sees the first at once; prevInstance calls it
// too, so a copy that did not register at start registers then.
bool registerInstance();

// Whether another copy of the program holds the lock.
bool prevInstance();

// The lock file: "veyra.lock" in $XDG_RUNTIME_DIR (the temporary folder when that is not set).
QString instanceLockPath();

}  // namespace calendar
