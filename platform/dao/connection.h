#pragma once
// One SQLite handle per database file and process, shared by every open of that file. The handles
// are found by the file's device and inode, so a path spelled another way finds the same handle and a
// file replaced under the same name gets a new one. While a handle that never wrote holds its shared
// lock (below), the path it was opened by finds it without asking the file system, so opening the
// rule database for a lookup costs a table lookup; a file replaced meanwhile is found from the next
// event-loop turn on (or at once when this layer created it). The most recently used handles stay open for a while after
// their last user closes (see DBEngine::closeIdleHandles), because the program opens the rule
// database for every lookup; prepared statements and translated texts are cached.
//
// Between reads a handle keeps its shared lock (SQLite's exclusive locking mode), which spares the
// lock, journal and change checks of every statement; other processes can still read. The lock is
// let go when the event loop next runs, before any write through the handle, and by DBEngine::idle.
// Without an application object on the calling thread nothing is held.
#include "platform/dao/field_values.h"
#include "platform/dao/jet_sql.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <list>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace dao::detail {

class FileClaim;

struct ColumnInfo {
    QString name;    // as the recordset names the field (table-qualified when two fields share a name)
    QString column;  // the result column's own name
    QString table;   // the table it comes from, or empty for an expression
    QString origin;  // its name in that table
    FieldType type;
};
using Columns = std::vector<ColumnInfo>;

// A prepared statement of the cache; reset after every use.
class Statement {
public:
    Statement(sqlite3_stmt* stmt, JetStatement jet) : stmt_(stmt), jet_(std::move(jet)) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    const JetStatement& jet() const { return jet_; }
    // Result columns, from the statement's metadata (built once).
    const std::shared_ptr<const Columns>& columns();

    // For a plain single-table SELECT: the statement with the rowid first (null when not updatable).
    std::shared_ptr<Statement> keyed;
    bool keyedTried = false;
    QString keyedTable;

private:
    sqlite3_stmt* stmt_;
    JetStatement jet_;
    std::shared_ptr<const Columns> columns_;
};

// The rows a snapshot read, kept by the handle so that the same statement need not run again while
// the file is unchanged.
struct SnapshotRows {
    std::shared_ptr<const Columns> columns;
    std::vector<std::vector<vb::Variant>> rows;
};

// Resets a statement and clears its bindings when the scope ends.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~StatementUse();
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

private:
    sqlite3_stmt* stmt_;
};

class Connection : public std::enable_shared_from_this<Connection> {
public:
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The shared handle of the file at `path`: 3024 when it is missing (nothing is created), 3343 or
    // 3049 when it is no database.
    static std::shared_ptr<Connection> acquire(const QString& path);
    // Creates an empty database file (3204 when it exists) with an optional password.
    static void createFile(const QString& path, const QString& password);
    // A file now lies at `path` that no handle has seen: the next acquire asks the file system.
    static void forgetPath(const QString& path);
    // Closes the handles that no open database uses.
    static void closeIdle();
    // Lets go of the read locks that handles keep between statements.
    static void releaseAllLocks();

    sqlite3* db() const { return db_; }
    const QString& path() const { return path_; }
    bool readOnly() const { return readOnly_; }
    // Protected: a password is stored, or a password table is there whose password cannot be read
    // (which no password matches).
    bool hasPassword() const { return !hash_.isEmpty() || passwordUnreadable_; }
    bool passwordMatches(const QString& password) const;

    // The cached statement of a Jet SQL text (translated and prepared on first use).
    std::shared_ptr<Statement> prepare(const QString& jetSql, const QString& source);
    // For a SELECT without parameters: the cached statement of its shape (see statement_shape.h), with
    // the numbers to bind in `numbers`, or of the text itself when it has no shape.
    std::shared_ptr<Statement> prepareShared(const QString& jetSql, const QString& source, QList<vb::Variant>* numbers);
    // The cached statement of a SQLite text written by this layer (no translation).
    std::shared_ptr<Statement> prepareNative(const QString& sql, const QString& source);
    // Runs a native statement without results.
    void exec(const char* sql, const QString& source);
    void clearStatements();

    // Snapshot rows of a statement without parameters, by its text; null when not kept or when the
    // file changed since (a write through this handle, a commit by another, a schema change). Nothing
    // is kept or given inside a transaction, whose writes may yet be rolled back.
    std::shared_ptr<const SnapshotRows> keptRows(const QString& sql);
    void keepRows(const QString& sql, std::shared_ptr<const SnapshotRows> rows);

    // Whether no other process has the file open; when so, it is held alone until share().
    bool holdAlone();
    void share();

    // Users of the handle: exclusive opens keep others out.
    int users = 0;
    bool exclusive = false;

private:
    Connection() = default;
    std::shared_ptr<Statement> lookup(const QString& key, bool native, const QString& source);
    void holdLock();
    void releaseLock();
    void runPragma(sqlite3_stmt*& stmt, const char* sql);
    // Whether kept rows may be used; forgets them when the file's state moved on.
    bool keptRowsValid();

    std::unique_ptr<FileClaim> claim_;  // destroyed after the SQLite handle closes
    bool held_ = false;
    sqlite3_stmt* exclusiveMode_ = nullptr;
    sqlite3_stmt* normalMode_ = nullptr;
    sqlite3_stmt* touch_ = nullptr;

    sqlite3* db_ = nullptr;
    QString path_;
    bool readOnly_ = false;
    QByteArray salt_, hash_;
    bool passwordUnreadable_ = false;
    mutable std::optional<QString> matchedPassword_;  // the last password that matched the hash
    quint64 device_ = 0, inode_ = 0;

    sqlite3_stmt* dataVersion_ = nullptr;
    QHash<QString, std::shared_ptr<const SnapshotRows>> kept_;
    qint64 keptChanges_ = -1;   // this handle's write count when the rows were kept
    qint64 keptDataVersion_ = -1;  // the file's version as others' commits count it
    bool keptCheckedWhileHeld_ = false;  // the version was asked since the shared lock was taken

    // Least recently used statements at the back.
    std::list<std::pair<QString, std::shared_ptr<Statement>>> lru_;
    QHash<QString, decltype(lru_)::iterator> byText_;

    friend struct Registry;
};

// A connect string's password: "; pwd=QuietLoom " gives "QuietLoom" (blanks around it trimmed).
QString passwordFromConnect(const QString& connect);

}  // namespace dao::detail
