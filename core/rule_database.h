#pragma once
// The rule database: where it lies, how every reader opens it, and the check that it is the database
// the build wrote. No connection to it stays open in the code: each reader opens it for its own
// lookup, and the database layer makes that open a lookup among its open handles.
#include "platform/dao/dao.h"

#include <QString>
#include <QStringList>

namespace core {

inline constexpr char16_t kRuleDatabaseName[] = u"zodazire.mdb";
// The blank at the end belongs to the connect string.
inline constexpr char16_t kRuleConnect[] = u"; pwd=QuietLoom ";
inline QString ruleConnect() { return QString::fromUtf16(kRuleConnect); }

// zodazire.mdb in the program folder, or the file a tool, test or benchmark chose with
// setRuleDatabasePath (an empty path restores the program folder's).
QString ruleDatabasePath();
void setRuleDatabasePath(const QString& path);

// Opens the rule database in `ws`: not exclusive, not read-only, with its password.
dao::Database OpenRuleDatabase(dao::Workspace& ws);

// The table that holds the digest of every table of the rule database: its name, the columns that
// order its rows for the digest, and the digest (dao::Database::tableDigest).
inline constexpr char16_t kDigestTable[] = u"MSysTableDigests";

// Records the digest of `table`, its rows ordered by `key` (the table's own order when empty).
void RecordTableDigest(dao::Database& db, const QString& table, const QStringList& key);

// Checks every table of `db` against its recorded digest. A table missing, added, emptied or
// changed, no digests at all, or no password raises 3049 naming the file (and the table), so that a
// damaged or altered rule database is refused like one that fails to open.
void VerifyRuleDatabase(dao::Database& db);

// Opens the rule database at `path` with its password, verifies it and closes it again.
void CheckRuleDatabase(const QString& path);

}  // namespace core
