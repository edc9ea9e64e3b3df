#include "tests/support/test_env.h"

#include <QDir>

#include <csignal>

namespace testenv {

void signalChild(const QProcess& child, int signal) {
    const qint64 pid = child.processId();
    if (child.state() != QProcess::NotRunning && pid > 0) ::kill(static_cast<pid_t>(pid), signal);
}

QString sourceDir() { return QStringLiteral(VEYRA_SOURCE_DIR); }

QString programDir() { return QStringLiteral(VEYRA_BUILD_PROGRAM_DIR); }

QString userRoot() { return qEnvironmentVariable("VEYRA_TEST_USER_ROOT"); }

}  // namespace testenv
