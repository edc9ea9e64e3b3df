// Builds the rule database from the authored tables: every <Table>.schema.json with its <Table>.csv
// (or, where the schema names "files", the matching text files beside it) in the given folders
// becomes one table. The file is written beside the target and renamed into place only when
// complete, so a failed build never leaves a half-filled database behind. Every table's digest is
// recorded beside it, so that the program and the dump tools refuse a database that was damaged or
// altered afterwards.
//
//   rulesdb OUTPUT.mdb PASSWORD FOLDER...
#include "core/conversions.h"
#include "core/rule_database.h"
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

// The stored form of a text cell: read from its file where the column says so, and scrambled where
// the readers unscramble it. A character that would not read back is refused rather than stored.
QString storedText(const rulesdb::ColumnSchema& column, const QString& cell, const QString& folder) {
    QString error;
    const auto text = rulesdb::cellText(column, cell, folder, &error);
    if (!text) throw vb::Error(vb::kFileNotFound, QStringLiteral("rulesdb"), error);
    if (!column.scrambled) return *text;
    const QString scrambled = core::UnscrambleText(*text);
    if (core::UnscrambleText(scrambled) != *text)
        throw vb::Error(vb::kInvalidProcedureCall, QStringLiteral("rulesdb"),
                        QStringLiteral("%1 \"%2\": a character does not survive scrambling").arg(column.name, text->left(20)));
    return scrambled;
}

void loadTable(dao::Database& db, const rulesdb::TableSchema& schema, const rulesdb::TableData& data,
               const QString& folder) {
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
        for (int i = 0; i < schema.columns.size(); ++i) {
            const auto& column = schema.columns[i];
            values.append(column.file || column.scrambled ? vb::Variant(storedText(column, row.value(i), folder))
                                                          : cellValue(column, row.value(i)));
        }
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
                    loadTable(db, *schema, *data, folder.path());
                    core::RecordTableDigest(db, schema->table, schema->key);
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
