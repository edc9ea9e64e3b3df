#include "core/rule_database.h"

#include "platform/vb/folders.h"

namespace core {

QString ruleDatabasePath() { return vb::joinPath(vb::programFolder(), QString::fromUtf16(kRuleDatabaseName)); }

}  // namespace core
