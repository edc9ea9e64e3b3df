#pragma once
// The rule database the engine tests read: the one the build puts into the program folder.
#include <QString>

namespace caltest {

// The folder holding zodazire.mdb; also made the program folder (vb::setProgramFolder).
QString useRuleDatabase();

}  // namespace caltest
