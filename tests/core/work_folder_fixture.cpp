#include "tests/core/work_folder_fixture.h"

#include "core/globals.h"
#include "tests/support/test_env.h"

#include <QDir>
#include <QFile>

void WorkFolderTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    const QDir program(testenv::programDir());
    QStringList files{QStringLiteral("dirovovivov.mdb")};
    files += program.entryList({QStringLiteral("*.rtf")}, QDir::Files);
    for (const QString& name : files)
        ASSERT_TRUE(QFile::copy(program.filePath(name), path(name))) << "shipped file missing: " << name.toStdString();
    core::gWorkPath = dir_.path() + QStringLiteral("/");
    core::gWorkDB = dao::DBEngine::defaultWorkspace().openDatabase(path(QStringLiteral("dirovovivov.mdb")));
}

void WorkFolderTest::TearDown() {
    if (core::gWorkDB.isOpen()) core::gWorkDB.close();
    core::gWorkDB = dao::Database();
    dao::DBEngine::closeIdleHandles();
}

int WorkFolderTest::rows(const QString& sql, const QList<vb::Variant>& params) {
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path(QStringLiteral("dirovovivov.mdb")));
    dao::Recordset rs = db.openRecordset(sql, dao::dbOpenSnapshot, params);
    const int n = rs.recordCount();
    rs.close();
    return n;
}

QString WorkFolderTest::value(const QString& sql, const QList<vb::Variant>& params) {
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path(QStringLiteral("dirovovivov.mdb")));
    dao::Recordset rs = db.openRecordset(sql, dao::dbOpenSnapshot, params);
    const QString v = rs.eof() ? QString() : rs.field(0).value().text();
    rs.close();
    return v;
}

QByteArray WorkFolderTest::readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WorkFolderTest::writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
