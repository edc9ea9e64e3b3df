#pragma once
// Program start: the rule database must open with its password before any window shows.
#include "core/rule_database.h"

#include <QString>

#include <functional>

namespace vb {
class Error;
}

namespace core {

// Opens the rule database at `path` with its password, checks every table against its recorded
// digest and closes it again; a damaged or altered database fails like a wrong password does.
void OpenRuleDatabaseOnce(const QString& path);

// Runs `openOnce` (by default the test open of the program folder's rule database) with exactly one
// retry; throws the engine's error of the second attempt.
void TestOpenRuleDatabase(const std::function<void()>& openOnce = {});

// The start procedure: the rule-database test, then `showMainWindow`. Returns false, after showing the
// engine's error, when the rule database cannot be opened; the main window then never shows.
bool Main(const std::function<void()>& showMainWindow);

}  // namespace core
