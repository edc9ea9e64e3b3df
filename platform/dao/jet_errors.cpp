#include "platform/dao/jet_errors.h"

#include "platform/dao/dao.h"

#include <sqlite3.h>

#include <array>

namespace dao {

namespace {
struct JetText {
    int number;
    const char* text;  // %1 is the quoted name or path
};
constexpr std::array kJetTexts{
    JetText{kReservedError, "Reserved error (%1); there is no message for this error."},
    JetText{kInvalidArgument, "Invalid argument."},
    JetText{kTableExists, "Table '%1' already exists."},
    JetText{kCannotOpenAnyMoreTables, "Cannot open any more tables."},
    JetText{kUpdateWithoutAddNewOrEdit, "Update or CancelUpdate without AddNew or Edit."},
    JetText{kNoCurrentRecord, "No current record."},
    JetText{kDuplicateKey,
            "The changes you requested to the table were not successful because they would create duplicate "
            "values in the index, primary key, or relationship."},
    JetText{kCouldNotFindFile, "Could not find file '%1'."},
    JetText{kDiskFull, "Not enough space on disk."},
    JetText{kCouldNotUpdate, "Cannot update.  Database or object is read-only."},
    JetText{kNotAValidPassword, "Not a valid password."},
    JetText{kNoTransaction, "You tried to commit or rollback a transaction without first beginning a transaction."},
    JetText{kResourceExceeded, "System resource exceeded."},
    JetText{kDiskIOError, "Disk or network error."},
    JetText{kNotAValidPath, "'%1' is not a valid path."},
    JetText{kFileAlreadyInUse, "Could not use '%1'; file already in use."},
    JetText{kDatabaseCorrupt,
            "Cannot open database '%1'.  It may not be a database that your application recognizes, or the file "
            "may be corrupt."},
    JetText{kCannotOpenFile,
            "The database engine cannot open or write to the file '%1'.  It is already opened exclusively by "
            "another user, or you need permission to view and write its data."},
    JetText{kTooFewParameters, "Too few parameters. Expected %1."},
    JetText{kCannotExecuteSelect, "Cannot execute a select query."},
    JetText{kSyntaxError, "Syntax error (missing operator) in query expression '%1'."},
    JetText{kCouldNotFindObject,
            "The database engine cannot find the input table or query '%1'.  Make sure it exists and that its "
            "name is spelled correctly."},
    JetText{kCharactersAfterEnd, "Characters found after end of SQL statement."},
    JetText{kNotAValidBookmark, "Not a valid bookmark."},
    JetText{kFieldTooSmall, "The field is too small to accept the amount of data you attempted to add."},
    JetText{kRecordDeleted, "Record is deleted."},
    JetText{kDatabaseExists, "Database already exists."},
    JetText{kCurrentlyLocked, "Could not update; currently locked."},
    JetText{kInvalidOperation, "Invalid operation."},
    JetText{kItemNotFound, "Item not found in this collection."},
    JetText{kNullNotAllowed, "The field '%1' cannot contain a Null value because the Required property for this "
                             "field is set to True.  Enter a value in this field."},
    JetText{kValidationRule, "One or more values are prohibited by the validation rule set for '%1'."},
    JetText{kUnrecognizedDatabaseFormat, "Unrecognized database format '%1'."},
    JetText{kObjectClosed, "Object invalid or no longer set."},
    JetText{kDataTypeConversion, "Data type conversion error."},
};
}  // namespace

void raiseJet(int number, const QString& source, const QString& arg) {
    throw vb::Error(number, source, detail::jetErrorText(number, arg));
}

namespace detail {

QString jetErrorText(int number, const QString& arg) {
    for (const auto& t : kJetTexts) {
        if (t.number != number) continue;
        QString text = QString::fromLatin1(t.text);
        if (text.contains(QLatin1String("%1"))) text = text.arg(arg);
        return text;
    }
    return vb::runtimeErrorText(number);
}

namespace {
// "no such table: main.x" -> "x"
QString afterColon(const QString& message) {
    QString name = message.mid(message.indexOf(QLatin1Char(':')) + 1).trimmed();
    if (name.startsWith(QLatin1String("main."))) name = name.mid(5);
    return name;
}
}  // namespace

void raiseSqlite(sqlite3* db, int rc, const QString& source, const QString& sql, const QString& path) {
    const QString message = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    switch (rc & 0xff) {
    case SQLITE_ERROR:
        if (message.startsWith(QLatin1String("no such table:"))) raiseJet(kCouldNotFindObject, source, afterColon(message));
        if (message.startsWith(QLatin1String("no such column:"))) raiseJet(kTooFewParameters, source, QStringLiteral("1"));
        if (message.startsWith(QLatin1String("table ")) && message.endsWith(QLatin1String(" already exists")))
            raiseJet(kTableExists, source, message.mid(6, message.size() - 6 - 15));
        if (message.contains(QLatin1String("syntax error")) || message.startsWith(QLatin1String("unrecognized token")) ||
            message.startsWith(QLatin1String("incomplete input")))
            raiseJet(kSyntaxError, source, sql);
        break;
    case SQLITE_CONSTRAINT:
        switch (rc) {
        case SQLITE_CONSTRAINT_UNIQUE:
        case SQLITE_CONSTRAINT_PRIMARYKEY: raiseJet(kDuplicateKey, source);
        case SQLITE_CONSTRAINT_NOTNULL: raiseJet(kNullNotAllowed, source, afterColon(message));
        default: raiseJet(kValidationRule, source, afterColon(message));
        }
    case SQLITE_READONLY: raiseJet(kCouldNotUpdate, source);
    case SQLITE_BUSY:
    case SQLITE_LOCKED: raiseJet(kCurrentlyLocked, source);
    case SQLITE_IOERR: raiseJet(kDiskIOError, source);
    case SQLITE_FULL: raiseJet(kDiskFull, source);
    case SQLITE_NOMEM:
    case SQLITE_TOOBIG: raiseJet(kResourceExceeded, source);
    case SQLITE_CORRUPT: raiseJet(kDatabaseCorrupt, source, path);
    case SQLITE_NOTADB: raiseJet(kUnrecognizedDatabaseFormat, source, path);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM: raiseJet(kCannotOpenFile, source, path);
    case SQLITE_MISMATCH: raiseJet(kDataTypeConversion, source);
    case SQLITE_RANGE: raiseJet(kInvalidArgument, source);
    default: break;
    }
    throw vb::Error(kReservedError, source, jetErrorText(kReservedError, QString::number(rc)) + QLatin1Char(' ') + message);
}

}  // namespace detail
}  // namespace dao
