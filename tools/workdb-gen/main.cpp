// Builds the shipped work database: from data/workdb, the starter library dirovovivov.mdb with its
// page files in the program folder, and the empty template template/dirovovivov.mdb beside it. Each
// file is written under a temporary name and renamed into place only when complete.
//
//   workdb-gen SOURCE_DIR PROGRAM_DIR
#include "platform/dao/dao.h"
#include "platform/vb/date.h"
#include "tools/workdb-gen/page_rtf.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& message) { throw std::runtime_error(message.toStdString()); }

QString readText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) fail(QStringLiteral("cannot read %1").arg(path));
    return QString::fromUtf8(f.readAll());
}

// The statements of the schema, comments dropped.
QStringList schemaStatements(const QString& schema) {
    QStringList kept;
    for (const QString& line : schema.split(u'\n'))
        if (!line.trimmed().startsWith(QStringLiteral("--"))) kept << line;
    QStringList statements;
    for (const QString& s : kept.join(u'\n').split(u';'))
        if (!s.trimmed().isEmpty()) statements << s.trimmed();
    return statements;
}

// Column types by table and column (both lower case), read from the CREATE TABLE statements.
QHash<QString, QHash<QString, QString>> columnTypes(const QStringList& statements) {
    static const QRegularExpression table(QStringLiteral("^CREATE\\s+TABLE\\s+(\\w+)\\s*\\((.*)\\)$"),
                                          QRegularExpression::CaseInsensitiveOption |
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression column(QStringLiteral("^\\s*(\\w+)\\s+(\\w+)"));
    QHash<QString, QHash<QString, QString>> types;
    for (const QString& s : statements) {
        const auto m = table.match(s);
        if (!m.hasMatch()) continue;
        auto& columns = types[m.captured(1).toLower()];
        for (const QString& def : m.captured(2).split(u',')) {
            const auto c = column.match(def);
            if (c.hasMatch()) columns.insert(c.captured(1).toLower(), c.captured(2).toUpper());
        }
    }
    return types;
}

vb::Variant cellValue(const QString& type, const QString& cell, const QString& where) {
    if (type == QLatin1String("TEXT")) return vb::Variant(cell);
    if (cell.isEmpty()) return vb::Variant::null();
    if (type == QLatin1String("COUNTER") || type == QLatin1String("LONG")) {
        bool ok = false;
        const int v = cell.toInt(&ok);
        if (!ok) fail(QStringLiteral("%1: %2 is no number").arg(where, cell));
        return vb::Variant(v);
    }
    if (type == QLatin1String("DATETIME")) {
        vb::Date d;
        if (!vb::Date::parse(cell, &d)) fail(QStringLiteral("%1: %2 is no date").arg(where, cell));
        return vb::Variant(d);
    }
    if (type == QLatin1String("MEMO")) return vb::Variant(cell);
    fail(QStringLiteral("%1: no values of type %2 here").arg(where, type));
}

// Rows of <Table>.csv: UTF-8, a header of column names, cells without commas or quotes.
void loadRows(dao::Database& db, const QString& csvPath, const QHash<QString, QHash<QString, QString>>& types) {
    const QString tableName = QFileInfo(csvPath).completeBaseName();
    const auto columns = types.value(tableName.toLower());
    if (columns.isEmpty()) fail(QStringLiteral("%1: no table %2 in the schema").arg(csvPath, tableName));
    QStringList lines = readText(csvPath).split(u'\n');
    for (QString& l : lines) l.remove(u'\r');
    lines.removeAll(QString());
    if (lines.isEmpty()) return;
    const QStringList header = lines.takeFirst().split(u',');
    QStringList names, marks;
    for (const QString& h : header) {
        if (!columns.contains(h.toLower())) fail(QStringLiteral("%1: no column %2").arg(csvPath, h));
        names << QStringLiteral("[%1]").arg(h);
        marks << QStringLiteral("?");
    }
    const QString insert = QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
                               .arg(tableName, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    for (int row = 0; row < lines.size(); ++row) {
        const QStringList cells = lines[row].split(u',');
        if (cells.size() != header.size())
            fail(QStringLiteral("%1 line %2: %3 cells, header has %4").arg(csvPath).arg(row + 2).arg(cells.size()).arg(header.size()));
        QList<vb::Variant> values;
        for (int i = 0; i < cells.size(); ++i)
            values << cellValue(columns.value(header[i].toLower()), cells[i],
                                QStringLiteral("%1 line %2").arg(csvPath).arg(row + 2));
        db.execute(insert, values);
    }
}

// Makes `output` from the schema, with the rows of `csvFiles`, through a temporary file.
void buildDatabase(const QString& output, const QStringList& statements, const QStringList& csvFiles) {
    QDir().mkpath(QFileInfo(output).absolutePath());
    const QString partial = output + QStringLiteral(".partial");
    QFile::remove(partial);
    try {
        dao::DBEngine::createDatabase(partial).close();
        dao::Workspace ws = dao::DBEngine::defaultWorkspace();
        dao::Database db = ws.openDatabase(partial);
        for (const QString& s : statements) db.execute(s);
        const auto types = columnTypes(statements);
        for (const QString& csv : csvFiles) loadRows(db, csv, types);
        db.close();
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    QFile::remove(output);
    if (!QFile::rename(partial, output)) fail(QStringLiteral("cannot move %1 into place").arg(partial));
}

void writePage(const QString& textPath, const QString& output) {
    QStringList lines = readText(textPath).split(u'\n');
    for (QString& l : lines) l.remove(u'\r');
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly) || out.write(workdbgen::pageRtf(lines)) < 0 || !out.commit())
        fail(QStringLiteral("cannot write %1").arg(output));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: workdb-gen SOURCE_DIR PROGRAM_DIR\n");
        return 2;
    }
    const QDir source(args[1]);
    const QDir program(args[2]);
    try {
        const QStringList statements = schemaStatements(readText(source.filePath(QStringLiteral("schema.sql"))));
        QStringList csvFiles;
        for (const QString& name : source.entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name))
            csvFiles << source.filePath(name);

        buildDatabase(program.filePath(QStringLiteral("template/dirovovivov.mdb")), statements, {});
        buildDatabase(program.filePath(QStringLiteral("dirovovivov.mdb")), statements, csvFiles);

        const QDir pages(source.filePath(QStringLiteral("pages")));
        const QStringList pageFiles = pages.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
        for (const QString& name : pageFiles)
            writePage(pages.filePath(name), program.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".rtf")));
        std::printf("workdb-gen: dirovovivov.mdb, the template and %d pages into %s\n",
                    static_cast<int>(pageFiles.size()), qPrintable(program.path()));
    } catch (const vb::Error& e) {
        std::fprintf(stderr, "workdb-gen: error %d: %s\n", e.number(), qPrintable(e.description()));
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "workdb-gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
