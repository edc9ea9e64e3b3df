#include "tests/calendar/rule_database.h"

#include "platform/vb/folders.h"
#include "tests/support/test_env.h"

namespace caltest {

QString useRuleDatabase() {
    const QString folder = testenv::programDir();
    vb::setProgramFolder(folder);
    return folder;
}

}  // namespace caltest
