#include "tests/core/folder_snapshot.h"

#include "platform/dao/dao.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

QStringList databaseRows(const QString& path) {
    QStringList rows;
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path);
    for (const QString& table : db.tableNames()) {
        dao::Recordset rs = db.openRecordset(QStringLiteral("select * from [") + table + u']', dao::dbOpenSnapshot);
        for (; !rs.eof(); rs.moveNext()) {
            QString row = table;
            for (int i = 0; i < rs.fieldCount(); ++i) {
                const vb::Variant v = rs.field(i).value();
                row += u'|' + (v.isNull() ? QStringLiteral("<null>") : v.toString());
            }
            rows << row;
        }
        rs.close();
    }
    db.close();
    return rows;
}

QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            files.insert(QDir(folder).relativeFilePath(path), QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1));
    }
    return files;
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
