// Reading a database file's shape before it is put to use: SQLite's quick check, then its tables and
// columns, through a handle of its own that is opened read-only and closed again.
#include "platform/dao/dao.h"
#include "platform/dao/jet_errors.h"

#include <QFile>

#include <sqlite3.h>

#include <cerrno>

#include <sys/stat.h>

namespace dao {

namespace {

const QString kEngine = QStringLiteral("DAO.DBEngine");

// Closes the handle however the inspection ends.
struct ReadHandle {
    sqlite3* db = nullptr;
    ~ReadHandle() { sqlite3_close(db); }
};

struct Query {
    sqlite3_stmt* st = nullptr;
    ~Query() { sqlite3_finalize(st); }
};

QString textColumn(sqlite3_stmt* st, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, column)));
}

}  // namespace

namespace DBEngine {

QList<TableColumns> inspectDatabase(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (path.isEmpty() || ::stat(native.constData(), &st) != 0) {
        if (path.isEmpty() || errno == ENOENT || errno == ENOTDIR) raiseJet(kCouldNotFindFile, kEngine, path);
        raiseJet(kCannotOpenFile, kEngine, path);
    }
    if (!S_ISREG(st.st_mode)) raiseJet(kUnrecognizedDatabaseFormat, kEngine, path);

    ReadHandle handle;
    int rc = SQLITE_OK;
    // Read-only first; a journal left by an interrupted write must be rolled back before the file can
    // be read, which only a writing handle may do (it never creates the file).
    for (const int flags : {SQLITE_OPEN_READONLY, SQLITE_OPEN_READWRITE}) {
        sqlite3_close(handle.db);
        handle.db = nullptr;
        rc = sqlite3_open_v2(native.constData(), &handle.db, flags, nullptr);
        if (rc != SQLITE_OK) detail::raiseSqlite(handle.db, rc, kEngine, QString(), path);
        sqlite3_extended_result_codes(handle.db, 1);
        sqlite3_busy_timeout(handle.db, 3000);
        Query check;
        rc = sqlite3_prepare_v2(handle.db, "PRAGMA quick_check", -1, &check.st, nullptr);
        if (rc == SQLITE_READONLY_ROLLBACK) continue;
        if (rc != SQLITE_OK) detail::raiseSqlite(handle.db, rc, kEngine, QString(), path);
        QString verdict;
        while ((rc = sqlite3_step(check.st)) == SQLITE_ROW) verdict += textColumn(check.st, 0);
        if (rc == SQLITE_READONLY_ROLLBACK) continue;
        if (rc != SQLITE_DONE) detail::raiseSqlite(handle.db, rc, kEngine, QString(), path);
        if (verdict != QLatin1String("ok")) raiseJet(kDatabaseCorrupt, kEngine, path);
        break;
    }
    if (rc == SQLITE_READONLY_ROLLBACK) detail::raiseSqlite(handle.db, rc, kEngine, QString(), path);

    QList<TableColumns> tables;
    {
        Query names;
        rc = sqlite3_prepare_v2(handle.db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name", -1,
                                &names.st, nullptr);
        if (rc != SQLITE_OK) detail::raiseSqlite(handle.db, rc, kEngine, QString(), path);
        while ((rc = sqlite3_step(names.st)) == SQLITE_ROW) tables.append({textColumn(names.st, 0), {}});
        if (rc != SQLITE_DONE) detail::raiseSqlite(handle.db, rc, kEngine, QString(), path);
    }
    for (TableColumns& t : tables) {
        Query columns;
        rc = sqlite3_prepare_v2(handle.db, "SELECT name FROM pragma_table_info(?1)", -1, &columns.st, nullptr);
        if (rc != SQLITE_OK) detail::raiseSqlite(handle.db, rc, kEngine, QString(), path);
        const QByteArray table = t.table.toUtf8();
        sqlite3_bind_text(columns.st, 1, table.constData(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
        while ((rc = sqlite3_step(columns.st)) == SQLITE_ROW) t.columns.append(textColumn(columns.st, 0));
        if (rc != SQLITE_DONE) detail::raiseSqlite(handle.db, rc, kEngine, QString(), path);
    }
    return tables;
}

}  // namespace DBEngine

}  // namespace dao
