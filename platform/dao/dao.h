#pragma once
// The database engine layer: workspaces, databases, recordsets and fields over SQLite, with the
// engine's error numbers and texts. Objects are handles: copies share one underlying object, and the
// last handle released closes it (as releasing the last reference does in the engine).
//
// Names of tables and fields match without regard to case. A snapshot recordset reads its rows whole
// when it is opened; a dynaset can add, edit and delete rows. Field values are vb::Variant, Null
// included; the declared column type decides the Variant type: DATETIME -> vb::Date (stored as the
// day serial), LONGBINARY/BLOB/IMAGE -> QByteArray, TEXT/VARCHAR(n)/CHAR/MEMO/LONGTEXT -> QString,
// INTEGER/LONG/COUNTER -> 32-bit, SMALLINT/SHORT/BYTE -> 16-bit, DOUBLE/REAL/FLOAT/CURRENCY -> double,
// BIT/YESNO/BOOLEAN -> bool (stored as -1/0); a column without a declared type gives what is stored.
//
// Every open of one file in this process shares one SQLite handle, so each open sees what any other
// holder wrote. Between reads a handle keeps its read lock until the event loop next runs (or
// DBEngine::idle, or a write through it): other processes can read meanwhile but not write, so code
// that blocks without running the event loop while another process writes the file calls idle first.
// Files are SQLite databases in rollback-journal mode; autonumber ids are never reused.
#include "platform/vb/error.h"
#include "platform/vb/variant.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace dao {

namespace detail {
class Connection;
}

// Engine error numbers used by the program.
enum JetError : int {
    kNoCurrentRecord = 3021,
    kCouldNotFindFile = 3024,
    kNotAValidPassword = 3031,
    kCouldNotFindObject = 3078,  // table or query name not found
    kFieldTooSmall = 3163,
    kDataTypeConversion = 3421,
    kUnrecognizedDatabaseFormat = 3343,
    kDatabaseCorrupt = 3049,
    kSyntaxError = 3075,
    kUpdateWithoutAddNewOrEdit = 3020,
    kObjectClosed = 3420,
    kItemNotFound = 3265,      // no field of that name
    kFileAlreadyInUse = 3045,
    kCannotOpenAnyMoreTables = 3014,
    kCouldNotUpdate = 3027,    // database or object is read-only
    kDiskIOError = 3043,
    kReservedError = 3000,     // a failure without an engine number of its own
    kInvalidArgument = 3001,
    kTableExists = 3010,
    kDuplicateKey = 3022,
    kDiskFull = 3026,
    kNoTransaction = 3034,     // CommitTrans or Rollback without BeginTrans
    kResourceExceeded = 3035,
    kNotAValidPath = 3044,
    kCannotOpenFile = 3051,    // no permission to read or write the file
    kTooFewParameters = 3061,  // also an unknown column name, which the engine takes for a parameter
    kCannotExecuteSelect = 3065,
    kInvalidSqlStatement = 3129,
    kCharactersAfterEnd = 3142,
    kNotAValidBookmark = 3159,
    kRecordDeleted = 3167,
    kDatabaseExists = 3204,
    kCurrentlyLocked = 3218,
    kInvalidOperation = 3219,
    kNullNotAllowed = 3314,
    kValidationRule = 3317,
};

enum RecordsetType : int { dbOpenTable = 1, dbOpenDynaset = 2, dbOpenSnapshot = 4, dbOpenForwardOnly = 8 };
enum EditMode : int { dbEditNone = 0, dbEditInProgress = 1, dbEditAdd = 2 };
enum IdleOption : int { dbFreeLocks = 1, dbRefreshCache = 8 };

// Raises an engine error with its standard text; `arg` is the name or path that some texts quote
// ("Could not find file '<arg>'.").
[[noreturn]] void raiseJet(int number, const QString& source = QStringLiteral("DAO.Database"),
                           const QString& arg = QString());

class Field {
public:
    Field() = default;

    QString name() const;
    vb::Variant value() const;  // 3021 without a current record; in AddNew or Edit the pending value
    // Only while the recordset is in AddNew or Edit (3020 otherwise). The value is converted to the
    // field's type (3421 when it does not convert); text wider than a TEXT(n) column fails with 3163.
    void setValue(const vb::Variant& v);
    // Long-binary and memo data in pieces: AppendChunk adds to the pending value (Null counts as
    // empty); GetChunk reads `bytes` bytes from `offset` (fewer at the end of the data). A memo's bytes
    // are its UTF-16LE text, as the engine stores it.
    void appendChunk(const QByteArray& chunk);
    void appendChunk(const QString& text);
    void appendChunk(const char* text) { appendChunk(QString::fromUtf8(text)); }
    QByteArray getChunk(qint64 offset, qint64 bytes) const;
    qint64 fieldSize() const;  // bytes of a long-binary or memo value

    struct Impl;
    explicit Field(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}

private:
    std::shared_ptr<Impl> impl_;
};

class Recordset {
public:
    Recordset() = default;

    bool isOpen() const;
    bool eof() const;
    bool bof() const;
    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();
    // Moving past the last row sets EOF, before the first BOF; moving on from there, or MoveFirst and
    // MoveLast on an empty recordset, fail with 3021. Moving cancels a pending AddNew or Edit.
    // Rows known to the recordset: a snapshot and a table know all of them, a dynaset those visited
    // (all after MoveLast), as the engine counts.
    int recordCount() const;

    int fieldCount() const;
    Field field(int index) const;
    Field field(const QString& name) const;   // 3265 when there is no such field
    vb::Variant operator[](const QString& name) const { return field(name).value(); }
    vb::Variant value(const QString& name) const { return field(name).value(); }
    void setValue(const QString& name, const vb::Variant& v) { field(name).setValue(v); }

    // Dynaset editing (3027 on a snapshot, on a statement that joins or groups tables, and on a
    // read-only database). After Update the current row is the one that was current before AddNew;
    // LastModified finds the added row, which stays in the recordset. A dynaset re-reads a row when it
    // moves onto it, so it sees what others changed; rows deleted meanwhile are passed over.
    void addNew();
    void edit();
    void update();         // 3020 without AddNew or Edit
    void cancelUpdate();
    void deleteCurrent();  // the engine's Delete; the deleted row stays current until the next move
    int editMode() const;

    // Positions: Bookmark of the current row; LastModified of the row last added or changed.
    QByteArray bookmark() const;
    void setBookmark(const QByteArray& bookmark);
    QByteArray lastModified() const;

    void close();

    struct Impl;
    explicit Recordset(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}

private:
    std::shared_ptr<Impl> impl_;
};

class Database {
public:
    Database() = default;

    bool isOpen() const;
    QString name() const;  // the file's path

    // Statements are Jet SQL as the program writes it (`2or id=`, iif(), True/False, [names],
    // "text" and #date# literals, &, LIKE with * and ?); `params` bind the `?` placeholders in order
    // (3061 when too few are given). Values that come from the user go there, never into the
    // statement text. OpenRecordset also takes a bare table name (3078 when there is no such table).
    // CREATE TABLE takes the engine's types: COUNTER/AUTOINCREMENT is the autonumber key, TEXT(n) a
    // sized text; text columns compare without regard to case. A snapshot of a statement without
    // parameters that ran before, while the file has not changed since, gets the rows read then.
    Recordset openRecordset(const QString& sql, int type = dbOpenDynaset, const QList<vb::Variant>& params = {});
    void execute(const QString& sql, const QList<vb::Variant>& params = {});  // 3065 for a SELECT
    int recordsAffected() const;

    QStringList tableNames() const;
    bool hasTable(const QString& name) const;
    // The file is protected by a password (it was opened with the one stored).
    bool hasPassword() const;

    // SHA-256 of a table's column names and every row's stored values (type and content), the rows
    // in the order of `orderBy` (column names; the table's own order when empty). Equal digests mean
    // equal contents; 3078 when there is no such table.
    QByteArray tableDigest(const QString& table, const QStringList& orderBy = {}) const;

    void close();

    struct Impl;
    explicit Database(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}

private:
    std::shared_ptr<Impl> impl_;
};

class Workspace {
public:
    Workspace() = default;

    // Opening never creates a file: a missing file raises 3024, a file that is not a database 3343
    // (3049 when it is damaged), a connect string "; pwd=…" whose password does not match the stored
    // one 3031 (also when a protected database is opened without one). The password is taken with
    // the blanks around it trimmed. A database without a password opens whatever the connect string
    // says, as the engine does. An exclusive open fails with 3045 while the file is open elsewhere in
    // the program, and other opens fail while it is held exclusively. Opening a file that was only
    // read, within the same event-loop turn, is a table lookup: a file replaced under that path by
    // another program is opened anew from the next turn on.
    Database openDatabase(const QString& path, bool exclusive = false, bool readOnly = false,
                          const QString& connect = QString());

    // Transactions span every database opened through this workspace, also those opened while the
    // transaction runs, and nest. Because a file has one handle in the program, a write through
    // another workspace to the same file while a transaction runs becomes part of it. Closing a
    // database does not end the transaction; closing the workspace rolls it back.
    void beginTrans();
    void commitTrans();  // 3034 without BeginTrans
    void rollback();     // 3034 without BeginTrans

    // Closes the databases opened through it; ignored for the default workspace, as the engine
    // ignores it (its databases close when their last handle is released).
    void close();

    struct Impl;
    explicit Workspace(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}

private:
    std::shared_ptr<Impl> impl_;
};

// A table of a database file with its column names, as inspectDatabase reads them.
struct TableColumns {
    QString table;
    QStringList columns;
};

// The engine.
namespace DBEngine {
// Workspace 0, the default one; it lives for the whole program.
Workspace defaultWorkspace();
Workspace createWorkspace(const QString& name, const QString& user, const QString& password);
// The engine's idle call; with dbRefreshCache other holders of a file see what was written. Every
// write is visible at once through the shared handle; what is left to do is to let go of the read
// locks that handles keep between reads (they are let go anyway when the event loop next runs).
void idle(int option = dbRefreshCache);
// Creates a new, empty database file, opened in the default workspace; `password` empty for none.
// Fails with 3204 when the file exists, 3044 when its folder does not.
Database createDatabase(const QString& path, const QString& password = QString());
// Copies `source` into a new, compacted file `target` (which must not exist: 3204): a copy into a
// temporary file beside the target, an integrity check and a row count of every table, then an
// atomic rename. Every row is kept, autonumber counters included; when it fails the source is
// untouched and no target (and no temporary file) is left behind. `password` opens a protected
// source; the copy keeps its password.
void compactDatabase(const QString& source, const QString& target, const QString& password = QString());
// Writes a consistent copy of `source` into the new file `target` (3204 when it exists) with the
// engine's online backup, while the source stays open and in use. A failed copy leaves no target.
void backupDatabase(const QString& source, const QString& target);
// The tables of the database file at `path` and their columns, read through a read-only handle of
// its own after SQLite's quick check of the whole file; nothing is created or changed. Only a
// regular file is opened, so a FIFO or a device never blocks. Raises 3024 when there is no file,
// 3343 when it is no regular file or no database, 3049 when the quick check finds damage and 3051
// when it cannot be read.
QList<TableColumns> inspectDatabase(const QString& path);
// Holds the database file at `path` alone while it lives, when no other process has it open (every
// process that opens a file through this engine claims it until its handle closes); a file is
// replaced by another only under it. A process that opens the file meanwhile waits until the guard
// ends and then opens what lies at `path`. Raises the open's error for a missing or foreign file.
class SoleUse {
public:
    explicit SoleUse(const QString& path);
    ~SoleUse();
    SoleUse(const SoleUse&) = delete;
    SoleUse& operator=(const SoleUse&) = delete;
    bool held() const { return held_; }

private:
    std::shared_ptr<detail::Connection> connection_;
    QString path_;
    bool held_ = false;
};
// Closes the shared handles that no open database uses. They stay open otherwise, the last few used,
// so that opening the same file again costs microseconds.
void closeIdleHandles();
}  // namespace DBEngine

}  // namespace dao
