// Builds the rule database from the authored tables: every <Table>.schema.json with its <Table>.csv
// (or, where the schema names "files", the matching text files beside it) in the given folders
// becomes one table. The file is written beside the target and renamed into place only when
// complete, so a failed build never leaves a half-filled database behind.
//
//   rulesdb OUTPUT.mdb PASSWORD FOLDER...
#include "platform/dao/dao.h"
#include "tools/rulesdb/table_schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

vb::Variant cellValue(const rulesdb::ColumnSchema& column, const QString& cell) {
    if (cell.isEmpty() && column.type != QLatin1String("text") && column.type != QLatin1String("memo"))
        return vb::Variant::null();
    if (column.type == QLatin1String("long")) return vb::Variant(cell.toInt());
    if (column.type == QLatin1String("integer")) return vb::Variant(static_cast<int16_t>(cell.toInt()));
    if (column.type == QLatin1String("double")) return vb::Variant(cell.toDouble());
    if (column.type == QLatin1String("datetime")) {
        vb::Date d;
        if (vb::Date::parse(cell, &d)) return vb::Variant(d);
        return vb::Variant::null();
    }
    return vb::Variant(cell);
}

void loadTable(dao::Database& db, const rulesdb::TableSchema& schema, const rulesdb::TableData& data) {
    QStringList defs, names, marks;
    for (const auto& c : schema.columns) {
        defs << QStringLiteral("[%1] %2").arg(c.name, rulesdb::sqlType(c));
        names << QStringLiteral("[%1]").arg(c.name);
        marks << QStringLiteral("?");
    }
    db.execute(QStringLiteral("CREATE TABLE [%1] (%2)").arg(schema.table, defs.join(QStringLiteral(", "))));
    const QString insert = QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                               .arg(schema.table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    for (const QStringList& row : data.rows) {
        QList<vb::Variant> values;
        for (int i = 0; i < schema.columns.size(); ++i) values.append(cellValue(schema.columns[i], row.value(i)));
        db.execute(insert, values);
    }
    // The readers look rows up by key on every lookup; the indexes keep that cheap.
    auto columnList = [](const QStringList& columns) {
        QStringList names;
        for (const QString& c : columns) names << QStringLiteral("[%1]").arg(c);
        return names.join(QStringLiteral(", "));
    };
    if (!schema.key.isEmpty())
        db.execute(QStringLiteral("CREATE UNIQUE INDEX [%1_key] ON [%1] (%2)").arg(schema.table, columnList(schema.key)));
    for (int i = 0; i < schema.indexes.size(); ++i)
        db.execute(QStringLiteral("CREATE INDEX [%1_index%2] ON [%1] (%3)")
                       .arg(schema.table)
                       .arg(i + 1)
                       .arg(columnList(schema.indexes[i])));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: rulesdb OUTPUT.mdb PASSWORD FOLDER...\n");
        return 2;
    }
    const QString output = args[1];
    const QString password = args[2];
    const QString partial = output + QStringLiteral(".partial");
    QFile::remove(partial);

    int tables = 0;
    try {
        {
            dao::DBEngine::createDatabase(partial, password).close();
            dao::Workspace ws = dao::DBEngine::defaultWorkspace();
            dao::Database db = ws.openDatabase(partial, false, false, QStringLiteral("; pwd=") + password);
            ws.beginTrans();
            for (int i = 3; i < args.size(); ++i) {
                const QDir folder(args[i]);
                for (const QString& file : folder.entryList({QStringLiteral("*.schema.json")}, QDir::Files, QDir::Name)) {
                    QString error;
                    const auto schema = rulesdb::readSchema(folder.filePath(file), &error);
                    const auto data = schema ? rulesdb::readRows(*schema, folder.filePath(file), &error) : std::nullopt;
                    if (!schema || !data) {
                        std::fprintf(stderr, "rulesdb: %s\n", qPrintable(error));
                        ws.rollback();
                        db.close();
                        QFile::remove(partial);
                        return 1;
                    }
                    // The data test reports schema problems in full; the build only loads.
                    loadTable(db, *schema, *data);
                    ++tables;
                }
            }
            ws.commitTrans();
            db.close();
        }
        QFile::remove(output);
        if (!QFile::rename(partial, output)) {
            std::fprintf(stderr, "rulesdb: cannot move %s into place\n", qPrintable(partial));
            return 1;
        }
    } catch (const vb::Error& e) {
        std::fprintf(stderr, "rulesdb: error %d: %s\n", e.number(), qPrintable(e.description()));
        QFile::remove(partial);
        return 1;
    }
    std::printf("rulesdb: %d tables into %s\n", tables, qPrintable(QFileInfo(output).fileName()));
    return 0;
}
