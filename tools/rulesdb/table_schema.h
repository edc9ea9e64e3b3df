#pragma once
// The schema of an authored table (<Table>.schema.json) and its rows (<Table>.csv), shared by the
// build tool that loads them and by the data test that checks them.
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace rulesdb {

struct ColumnSchema {
    QString name;
    QString type;        // text, long, integer, double, datetime, memo
    int width = 0;       // exact width in characters, 0 = any
    int maxWidth = 0;    // upper bound, 0 = none
    QString chars;       // allowed characters (classes expanded), empty = any
    bool nullable = false;
    std::optional<double> min, max;
    bool file = false;       // the cell names a UTF-8 text file beside the CSV, whose text is stored
    bool scrambled = false;  // stored as the annotation reader unscrambles it
};

struct TableSchema {
    QString table;
    QStringList key;
    int rows = -1;  // exact row count, -1 = any
    QList<QStringList> indexes;  // further indexes, for the readers' hot queries
    QList<ColumnSchema> columns;
    // Rows from text files instead of a CSV: every file of the schema's folder that matches this
    // pattern is one row of two columns, the file's base name and its whole text ("*.txt").
    QString files;
};

struct TableData {
    QStringList header;
    QList<QStringList> rows;
};

// The characters of a named class ("branch", "stem", "digit", "month"), or the text itself.
QString expandCharClass(const QString& chars);

// Readers; on failure they return nullopt and set `error`.
std::optional<TableSchema> readSchema(const QString& path, QString* error);
std::optional<TableData> readCsv(const QString& path, QString* error);
// The rows of a table whose schema names `files`, from the matching files of `folder`, ordered by
// their base names as numbers. Texts are UTF-8 without byte-order mark; line ends become "\n" and the
// final line end is dropped.
std::optional<TableData> readTextFiles(const TableSchema& schema, const QString& folder, QString* error);
// The rows of a table whichever way its schema says they are stored, beside `schemaPath`.
std::optional<TableData> readRows(const TableSchema& schema, const QString& schemaPath, QString* error);

// The text a cell stands for: the cell itself, or for a `file` column the text of the file it names in
// `folder` (a final line break dropped); nullopt and `error` set when that file cannot be read.
std::optional<QString> cellText(const ColumnSchema& column, const QString& cell, const QString& folder, QString* error);

// The column type as the engine's CREATE TABLE spells it.
QString sqlType(const ColumnSchema& column);

// Every problem of `data` against `schema`, one line each; empty when the table is sound.
QStringList checkTable(const TableSchema& schema, const TableData& data);

}  // namespace rulesdb
