#pragma once
// Program start: the rule database must open with its password before any window shows.
#include <QString>

#include <functional>

namespace vb {
class Error;
}

namespace core {

// The rule database's file name and the connect string every reader opens it with.
inline constexpr char16_t kRuleDatabaseName[] = u"zodazire.mdb";
inline constexpr char16_t kRuleConnect[] = u"; pwd=QuietLoom ";

// Path of the rule database in the program folder.
QString ruleDatabasePath();

// Test-opens the rule database and closes it again, with exactly one retry. Throws the engine's error
// of the second attempt.
void TestOpenRuleDatabase();

// The start procedure: the rule-database test, then `showMainWindow`. Returns false, after showing the
// engine's error, when the rule database cannot be opened; the main window then never shows.
bool Main(const std::function<void()>& showMainWindow);

}  // namespace core
