#include "tools/rulesdb/table_schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>

namespace rulesdb {

QString expandCharClass(const QString& chars) {
    if (chars == QLatin1String("branch")) return QStringLiteral("子丑寅卯辰巳午未申酉戌亥");
    if (chars == QLatin1String("stem")) return QStringLiteral("甲乙丙丁戊己庚辛壬癸");
    if (chars == QLatin1String("digit")) return QStringLiteral("0123456789");
    if (chars == QLatin1String("month")) return QStringLiteral("正二三四五六七八九十冬腊");
    return chars;
}

std::optional<TableSchema> readSchema(const QString& path, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return std::nullopt;
    }
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = QStringLiteral("%1: %2").arg(path, pe.errorString());
        return std::nullopt;
    }
    const QJsonObject o = doc.object();
    TableSchema s;
    s.table = o.value(QLatin1String("table")).toString();
    for (const auto& k : o.value(QLatin1String("key")).toArray()) s.key.append(k.toString());
    s.rows = o.value(QLatin1String("rows")).toInt(-1);
    for (const auto& iv : o.value(QLatin1String("indexes")).toArray()) {
        QStringList columns;
        for (const auto& c : iv.toArray()) columns.append(c.toString());
        s.indexes.append(columns);
    }
    for (const auto& cv : o.value(QLatin1String("columns")).toArray()) {
        const QJsonObject c = cv.toObject();
        ColumnSchema col;
        col.name = c.value(QLatin1String("name")).toString();
        col.type = c.value(QLatin1String("type")).toString(QStringLiteral("text"));
        col.width = c.value(QLatin1String("width")).toInt(0);
        col.maxWidth = c.value(QLatin1String("maxWidth")).toInt(0);
        col.chars = expandCharClass(c.value(QLatin1String("chars")).toString());
        col.nullable = c.value(QLatin1String("nullable")).toBool(false);
        if (c.contains(QLatin1String("min"))) col.min = c.value(QLatin1String("min")).toDouble();
        if (c.contains(QLatin1String("max"))) col.max = c.value(QLatin1String("max")).toDouble();
        col.file = c.value(QLatin1String("file")).toBool(false);
        col.scrambled = c.value(QLatin1String("scrambled")).toBool(false);
        s.columns.append(col);
    }
    s.files = o.value(QLatin1String("files")).toString();
    if (!s.files.isEmpty() && s.columns.size() != 2) {
        *error = QStringLiteral("%1: a table read from files has two columns, name and text").arg(path);
        return std::nullopt;
    }
    if (s.table.isEmpty() || s.columns.isEmpty()) {
        *error = QStringLiteral("%1: a schema needs \"table\" and \"columns\"").arg(path);
        return std::nullopt;
    }
    return s;
}

std::optional<TableData> readCsv(const QString& path, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return std::nullopt;
    }
    const QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        *error = QStringLiteral("%1: remove the byte-order mark").arg(path);
        return std::nullopt;
    }
    QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.isEmpty()) {
        *error = QStringLiteral("%1: no header line").arg(path);
        return std::nullopt;
    }
    for (QString& l : lines)
        if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
    TableData d;
    d.header = lines.takeFirst().split(QLatin1Char(','));
    for (const QString& l : lines) d.rows.append(l.split(QLatin1Char(',')));
    return d;
}

std::optional<TableData> readTextFiles(const TableSchema& schema, const QString& folder, QString* error) {
    const QDir dir(folder);
    QFileInfoList files = dir.entryInfoList({schema.files}, QDir::Files);
    std::sort(files.begin(), files.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const qlonglong x = a.completeBaseName().toLongLong(), y = b.completeBaseName().toLongLong();
        return x != y ? x < y : a.completeBaseName() < b.completeBaseName();
    });
    TableData d;
    for (const auto& c : schema.columns) d.header.append(c.name);
    for (const QFileInfo& info : files) {
        QFile f(info.filePath());
        if (!f.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1").arg(info.filePath());
            return std::nullopt;
        }
        const QByteArray bytes = f.readAll();
        if (bytes.startsWith("\xEF\xBB\xBF")) {
            *error = QStringLiteral("%1: remove the byte-order mark").arg(info.filePath());
            return std::nullopt;
        }
        QString text = QString::fromUtf8(bytes);
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
        d.rows.append({info.completeBaseName(), text});
    }
    return d;
}

std::optional<TableData> readRows(const TableSchema& schema, const QString& schemaPath, QString* error) {
    const QFileInfo info(schemaPath);
    if (!schema.files.isEmpty()) return readTextFiles(schema, info.path(), error);
    const QString base = info.fileName().left(info.fileName().size() - int(qstrlen(".schema.json")));
    return readCsv(info.dir().filePath(base + QStringLiteral(".csv")), error);
}

std::optional<QString> cellText(const ColumnSchema& column, const QString& cell, const QString& folder, QString* error) {
    if (!column.file || cell.isEmpty()) return cell;
    QFile f(folder + QLatin1Char('/') + cell);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(f.fileName());
        return std::nullopt;
    }
    QString text = QString::fromUtf8(f.readAll());
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

QString sqlType(const ColumnSchema& column) {
    if (column.type == QLatin1String("long")) return QStringLiteral("LONG");
    if (column.type == QLatin1String("integer")) return QStringLiteral("SHORT");
    if (column.type == QLatin1String("double")) return QStringLiteral("DOUBLE");
    if (column.type == QLatin1String("datetime")) return QStringLiteral("DATETIME");
    if (column.type == QLatin1String("memo")) return QStringLiteral("MEMO");
    const int w = column.width > 0 ? column.width : column.maxWidth > 0 ? column.maxWidth : 255;
    return QStringLiteral("TEXT(%1)").arg(w);
}

QStringList checkTable(const TableSchema& schema, const TableData& data) {
    QStringList problems;
    QStringList expected;
    for (const auto& c : schema.columns) expected.append(c.name);
    if (data.header != expected)
        problems << QStringLiteral("%1: header is %2, schema says %3")
                        .arg(schema.table, data.header.join(','), expected.join(','));
    if (schema.rows >= 0 && data.rows.size() != schema.rows)
        problems << QStringLiteral("%1: %2 rows, schema says %3").arg(schema.table).arg(data.rows.size()).arg(schema.rows);

    QList<int> keyColumns;
    for (const QString& k : schema.key) {
        const int i = expected.indexOf(k);
        if (i < 0) problems << QStringLiteral("%1: key column %2 is not a column").arg(schema.table, k);
        else keyColumns.append(i);
    }
    QSet<QString> keys;
    for (int r = 0; r < data.rows.size(); ++r) {
        const QStringList& row = data.rows[r];
        const QString where = QStringLiteral("%1 row %2").arg(schema.table).arg(r + 1);
        if (row.size() != schema.columns.size()) {
            problems << QStringLiteral("%1: %2 cells, schema has %3 columns").arg(where).arg(row.size()).arg(schema.columns.size());
            continue;
        }
        for (int c = 0; c < schema.columns.size(); ++c) {
            const ColumnSchema& col = schema.columns[c];
            const QString& cell = row[c];
            const QString at = QStringLiteral("%1, %2 \"%3\"").arg(where, col.name, cell);
            if (cell.isEmpty()) {
                if (!col.nullable) problems << at + QStringLiteral(": empty cell");
                continue;
            }
            const bool numeric = col.type == QLatin1String("long") || col.type == QLatin1String("integer") ||
                                 col.type == QLatin1String("double");
            if (numeric) {
                bool ok = false;
                const double v = col.type == QLatin1String("double") ? cell.toDouble(&ok) : cell.toLongLong(&ok);
                if (!ok) problems << at + QStringLiteral(": not a number");
                else if ((col.min && v < *col.min) || (col.max && v > *col.max)) problems << at + QStringLiteral(": out of range");
                else if (col.type == QLatin1String("integer") && (v < -32768 || v > 32767)) problems << at + QStringLiteral(": not 16-bit");
                continue;
            }
            if (col.width > 0 && cell.size() != col.width)
                problems << at + QStringLiteral(": width %1, schema says %2").arg(cell.size()).arg(col.width);
            if (col.maxWidth > 0 && cell.size() > col.maxWidth)
                problems << at + QStringLiteral(": wider than %1").arg(col.maxWidth);
            if (!col.chars.isEmpty())
                for (QChar ch : cell)
                    if (!col.chars.contains(ch)) {
                        problems << at + QStringLiteral(": character %1 not allowed").arg(ch);
                        break;
                    }
        }
        if (!keyColumns.isEmpty()) {
            QStringList k;
            for (int i : keyColumns) k.append(row.value(i));
            const QString joined = k.join(QChar(0x1F));
            if (keys.contains(joined)) problems << where + QStringLiteral(": duplicate key %1").arg(k.join(','));
            keys.insert(joined);
        }
    }
    return problems;
}

}  // namespace rulesdb
