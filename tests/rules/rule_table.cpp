#include "tests/rules/rule_table.h"

#include "tests/support/test_env.h"
#include "tools/rulesdb/table_schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ruletest {

namespace {
QStringList dataFolders() {
    const QString src = testenv::sourceDir();
    return {src + QStringLiteral("/data/rules"), src + QStringLiteral("/data/calendar")};
}

QString findFile(const QString& name, const QString& suffix) {
    for (const QString& folder : dataFolders()) {
        const QString p = folder + QLatin1Char('/') + name + suffix;
        if (QFileInfo::exists(p)) return p;
    }
    return QString();
}
}  // namespace

int Table::column(const QString& name) const {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

QString Table::cell(int row, const QString& columnName) const {
    const int c = column(columnName);
    if (row < 0 || row >= rows.size() || c < 0 || c >= rows[row].size()) return QString();
    return rows[row][c];
}

int Table::findRow(const QString& keyColumn, const QString& key) const {
    for (int r = 0; r < rows.size(); ++r)
        if (cell(r, keyColumn) == key) return r;
    return -1;
}

QString Table::rowString(int row, int columnCount) const {
    QString s;
    for (int k = 0; k < columnCount; ++k) s += cell(row, QString(QChar(u'a' + k)));
    return s;
}

QString csvPath(const QString& name) { return findFile(name, QStringLiteral(".csv")); }
QString schemaPath(const QString& name) { return findFile(name, QStringLiteral(".schema.json")); }

Table loadTable(const QString& name, bool* ok) {
    Table t;
    t.name = name;
    QString error;
    const auto data = rulesdb::readCsv(csvPath(name), &error);
    if (data) {
        t.columns = data->header;
        t.rows = data->rows;
    }
    if (ok) *ok = data.has_value();
    return t;
}

QStringList tableNames() {
    QStringList names;
    for (const QString& folder : dataFolders()) {
        const auto entries = QDir(folder).entryList({QStringLiteral("*.schema.json")}, QDir::Files, QDir::Name);
        for (const QString& e : entries) names.append(e.left(e.size() - int(strlen(".schema.json"))));
    }
    return names;
}

}  // namespace ruletest
