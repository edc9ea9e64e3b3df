#pragma once
// Helpers shared by the test binaries: where the sources and the built program folder are, and a
// fresh per-test folder.
#include "tests/support/qt_print.h"
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace testenv {

// The repository root (for data/ files).
QString sourceDir();
// The built program folder (executable, zodazire.mdb, shipped files).
QString programDir();
// The temporary root that holds this run's XDG_DATA_HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR.
QString userRoot();

// Sends a signal to a child that is still running. A child that has already ended reports pid 0,
// and kill(0, …) would signal the whole process group, the test runner among it.
void signalChild(const QProcess& child, int signal);

}  // namespace testenv
