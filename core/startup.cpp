#include "core/startup.h"

#include "platform/dao/dao.h"
#include "platform/vb/error.h"
#include "platform/vb/unhandled.h"

namespace core {

void OpenRuleDatabaseOnce(const QString& path) { CheckRuleDatabase(path); }

void TestOpenRuleDatabase(const std::function<void()>& openOnce) {
    for (int attempt = 1;; ++attempt) {
        try {
            if (openOnce) openOnce();
            else OpenRuleDatabaseOnce(ruleDatabasePath());
            return;
        } catch (const vb::Error&) {
            if (attempt == 2) throw;
        }
    }
}

bool Main(const std::function<void()>& showMainWindow) {
    try {
        TestOpenRuleDatabase();
    } catch (const vb::Error& e) {
        vb::showUnhandledError(e);
        return false;
    }
    showMainWindow();
    return true;
}

}  // namespace core
