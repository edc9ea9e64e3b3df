#include "tests/support/test_env.h"

#include <QDir>

namespace testenv {

QString sourceDir() { return QStringLiteral(VEYRA_SOURCE_DIR); }

QString programDir() { return QStringLiteral(VEYRA_BUILD_PROGRAM_DIR); }

QString userRoot() { return qEnvironmentVariable("VEYRA_TEST_USER_ROOT"); }

}  // namespace testenv
