#pragma once
// Jet SQL as the program writes it, rewritten for SQLite.
//
// Rewrites: a number glued to a keyword ("2or id=" -> "2 or id="); iif(a, b, c) -> CASE WHEN;
// True/False -> -1/0; "text" literals -> 'text'; #date# literals -> the day serial; & -> ||;
// LIKE patterns with * and ? -> % and _; DISTINCTROW dropped. In CREATE TABLE and ALTER TABLE the
// Jet types are mapped: COUNTER/AUTOINCREMENT -> INTEGER PRIMARY KEY AUTOINCREMENT, MEMO -> LONGTEXT,
// LONGBINARY and the other binary types -> BLOB; text columns compare without regard to case, as
// Jet compares text. [Bracketed] names are SQLite syntax already and stay.
#include <QString>

namespace dao::detail {

enum class StatementKind { Select, Dml, Ddl, Other };

struct JetStatement {
    QString sql;          // the SQLite text
    StatementKind kind = StatementKind::Other;
    bool plainSelect = false;  // no DISTINCT, GROUP BY, UNION ... at the top level: rows map to table rows
    QString keyedSql;     // for a plain SELECT: the same statement with the rowid as first column
};

JetStatement translateJetSql(const QString& jetSql);

// True when `source` is a bare table name rather than a statement (OpenRecordset accepts both).
bool isTableName(const QString& source, QString* name);

}  // namespace dao::detail
