#pragma once
// The database engine layer: workspaces, databases, recordsets and fields over SQLite, with the
// engine's error numbers and texts. Objects are handles: copies share one underlying object, and the
// last handle released closes it (as releasing the last reference does in the engine).
//
// Names of tables and fields match without regard to case. A snapshot recordset reads its rows whole
// when it is opened; a dynaset can add, edit and delete rows. Field values are vb::Variant, Null
// included. Date-time columns hold vb::Date, long-binary columns QByteArray.
#include "platform/vb/error.h"
#include "platform/vb/variant.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace dao {

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
};

enum RecordsetType : int { dbOpenTable = 1, dbOpenDynaset = 2, dbOpenSnapshot = 4, dbOpenForwardOnly = 8 };
enum EditMode : int { dbEditNone = 0, dbEditInProgress = 1, dbEditAdd = 2 };
enum IdleOption : int { dbRefreshCache = 8 };

// Raises an engine error with its standard text.
[[noreturn]] void raiseJet(int number, const QString& source = QStringLiteral("DAO.Database"));

class Field {
public:
    Field() = default;

    QString name() const;
    vb::Variant value() const;
    void setValue(const vb::Variant& v);  // only while the recordset is in AddNew or Edit
    // Long-binary and memo data in pieces: AppendChunk adds to the pending value; GetChunk reads
    // `bytes` bytes from `offset` (fewer at the end of the data).
    void appendChunk(const QByteArray& chunk);
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
    // Rows known to the recordset: a snapshot knows all of them, a dynaset those visited.
    int recordCount() const;

    int fieldCount() const;
    Field field(int index) const;
    Field field(const QString& name) const;   // 3265 when there is no such field
    vb::Variant operator[](const QString& name) const { return field(name).value(); }
    vb::Variant value(const QString& name) const { return field(name).value(); }
    void setValue(const QString& name, const vb::Variant& v) { field(name).setValue(v); }

    // Dynaset editing (3027 on a snapshot).
    void addNew();
    void edit();
    void update();         // 3020 without AddNew or Edit
    void cancelUpdate();
    void deleteCurrent();  // the engine's Delete
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

    // Statements are Jet SQL as the program writes it (`2or id=`, iif(), True/False, [names]);
    // `params` bind the `?` placeholders in order. Values that come from the user go there, never
    // into the statement text.
    Recordset openRecordset(const QString& sql, int type = dbOpenDynaset, const QList<vb::Variant>& params = {});
    void execute(const QString& sql, const QList<vb::Variant>& params = {});
    int recordsAffected() const;

    QStringList tableNames() const;
    bool hasTable(const QString& name) const;

    void close();

    struct Impl;
    explicit Database(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}

private:
    std::shared_ptr<Impl> impl_;
};

class Workspace {
public:
    Workspace() = default;

    // Opening never creates a file: a missing file raises 3024, a file that is not a database 3343,
    // a connect string "; pwd=…" whose password does not match the stored one 3031.
    Database openDatabase(const QString& path, bool exclusive = false, bool readOnly = false,
                          const QString& connect = QString());

    // Transactions span every database opened through this workspace.
    void beginTrans();
    void commitTrans();
    void rollback();

    void close();  // closes the databases opened through it

    struct Impl;
    explicit Workspace(std::shared_ptr<Impl> impl) : impl_(std::move(impl)) {}

private:
    std::shared_ptr<Impl> impl_;
};

// The engine.
namespace DBEngine {
// Workspace 0, the default one; it lives for the whole program.
Workspace defaultWorkspace();
Workspace createWorkspace(const QString& name, const QString& user, const QString& password);
// The engine's idle call; with dbRefreshCache other holders of a file see what was written.
void idle(int option = dbRefreshCache);
// Creates a new, empty database file; `password` empty for none. Fails when the file exists.
Database createDatabase(const QString& path, const QString& password = QString());
// Copies `source` into a new, compacted file `target` (which must not exist). Every row is kept;
// when it fails the source is untouched and no target is left behind.
void compactDatabase(const QString& source, const QString& target, const QString& password = QString());
}  // namespace DBEngine

}  // namespace dao
