#pragma once
// Where the rule database lies and how every reader opens it. No connection to it stays open: each
// reader opens it for its own lookup with this connect string.
#include <QString>

namespace core {

inline constexpr char16_t kRuleDatabaseName[] = u"zodazire.mdb";
// The blank at the end belongs to the connect string.
inline constexpr char16_t kRuleConnect[] = u"; pwd=QuietLoom ";

// The rule database in the program folder.
QString ruleDatabasePath();

}  // namespace core
