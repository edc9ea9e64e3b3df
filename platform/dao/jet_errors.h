#pragma once
// Mapping of SQLite failures to the engine's error numbers and texts.
#include <QString>

struct sqlite3;

namespace dao::detail {

// The standard text of an engine error; `arg` fills the name or path that some texts quote.
QString jetErrorText(int number, const QString& arg = QString());

// Raises the engine error that best describes SQLite result `rc` on `db` while running `sql`
// (`path` names the file for format and open errors).
[[noreturn]] void raiseSqlite(sqlite3* db, int rc, const QString& source, const QString& sql = QString(),
                              const QString& path = QString());

}  // namespace dao::detail
