#pragma once
// Reads an authored table (data/rules/<Table>.csv or data/calendar/<Table>.csv) for the data tests.
#include <QList>
#include <QString>
#include <QStringList>

namespace ruletest {

struct Table {
    QString name;
    QStringList columns;      // header names as written
    QList<QStringList> rows;  // cells by column position

    // Column position by name, without regard to case; -1 when absent.
    int column(const QString& name) const;
    // Cell by row and column name; "" when either is absent.
    QString cell(int row, const QString& columnName) const;
    // The first row whose key column holds `key`; -1 when none.
    int findRow(const QString& keyColumn, const QString& key) const;
    // Cells a…l (or a…j) of a row joined in column order.
    QString rowString(int row, int columnCount = 12) const;
};

// Loads the table's CSV; `ok` false (and an empty table) when the file is missing or malformed.
Table loadTable(const QString& name, bool* ok = nullptr);
// Names of every table that has a schema file, across data/rules and data/calendar.
QStringList tableNames();
// Path of a table's CSV or schema file ("" when absent).
QString csvPath(const QString& name);
QString schemaPath(const QString& name);

}  // namespace ruletest
