#pragma once
// The rule database the engine tests read: the one the build puts into the program folder, or, where
// the build has not made it, one made here from the committed Calendar table with the same password.
#include <QString>

namespace caltest {

// The folder holding zodazire.mdb; also made the program folder (vb::setProgramFolder).
QString useRuleDatabase();

}  // namespace caltest
