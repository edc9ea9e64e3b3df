// Reading a database file's tables and columns before it is put to use: nothing is made or changed,
// a file that is no database is refused at once, and a journal left by an interrupted write is
// rolled back so that the file reads as it was.
#include "dao_fixture.h"

#include <QDir>
#include <QFile>

#include <sqlite3.h>
#include <sys/stat.h>

using namespace daotest;

namespace {

class InspectTest : public DaoTest {
protected:
    QStringList folderListing() const {
        return QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name);
    }
    static QByteArray bytesOf(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(InspectTest, GivesTablesWithTheirColumnsAndChangesNothing) {
    make("lib.mdb", {"CREATE TABLE codeitems (id COUNTER, parentid LONG, description TEXT(255))",
                     "CREATE TABLE Bookmarks (ID COUNTER, CodeID LONG)", "INSERT INTO codeitems (parentid, description) VALUES (0, 'a')"})
        .close();
    dao::DBEngine::closeIdleHandles();
    const QStringList before = folderListing();
    const QByteArray bytes = bytesOf(path("lib.mdb"));
    const QList<dao::TableColumns> tables = dao::DBEngine::inspectDatabase(path("lib.mdb"));
    QStringList shape;
    for (const dao::TableColumns& t : tables)
        if (!t.table.startsWith(QLatin1String("sqlite_"))) shape << t.table + u'(' + t.columns.join(u',') + u')';
    EXPECT_EQ(shape, (QStringList{"Bookmarks(ID,CodeID)", "codeitems(id,parentid,description)"}));
    EXPECT_EQ(folderListing(), before);
    EXPECT_EQ(bytesOf(path("lib.mdb")), bytes);
}

TEST_F(InspectTest, RefusesWhatIsNoDatabaseWithoutWaitingOnIt) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.mdb")).constData(), 0600), 0);
    EXPECT_EQ(errorOf([&] { dao::DBEngine::inspectDatabase(path("fifo.mdb")); }), dao::kUnrecognizedDatabaseFormat);
    EXPECT_EQ(errorOf([&] { dao::DBEngine::inspectDatabase(path("missing.mdb")); }), dao::kCouldNotFindFile);
    EXPECT_EQ(errorOf([&] { dao::DBEngine::inspectDatabase(dir_.path()); }), dao::kUnrecognizedDatabaseFormat);
    QFile text(path("text.mdb"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(4096, 't'));
    text.close();
    EXPECT_EQ(errorOf([&] { dao::DBEngine::inspectDatabase(path("text.mdb")); }), dao::kUnrecognizedDatabaseFormat);
    EXPECT_FALSE(QFile::exists(path("missing.mdb")));
}

TEST_F(InspectTest, AJournalOfAnInterruptedWriteIsRolledBackFirst) {
    QStringList fill{"CREATE TABLE codeitems (id COUNTER, description TEXT(255))"};
    for (int i = 0; i < 200; ++i) fill << QStringLiteral("INSERT INTO codeitems (description) VALUES ('%1')").arg(QString(200, QChar(u'a' + i % 26)));
    make("live.mdb", fill).close();
    dao::DBEngine::closeIdleHandles();
    // A write caught half-way: its pages spilled into the file, the journal beside it. Copied as they
    // are, the two are what a power cut leaves.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path("live.mdb")).constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA cache_size=1; BEGIN; UPDATE codeitems SET description='z'",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    QDir().mkpath(path("cut"));
    ASSERT_TRUE(QFile::copy(path("live.mdb"), path("cut/lib.mdb")));
    ASSERT_TRUE(QFile::copy(path("live.mdb-journal"), path("cut/lib.mdb-journal")));
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    const QList<dao::TableColumns> tables = dao::DBEngine::inspectDatabase(path("cut/lib.mdb"));
    ASSERT_FALSE(tables.isEmpty());
    EXPECT_FALSE(QFile::exists(path("cut/lib.mdb-journal"))) << "the interrupted write is undone";
    dao::Database rolledBack = dao::DBEngine::defaultWorkspace().openDatabase(path("cut/lib.mdb"));
    dao::Recordset rs = rolledBack.openRecordset("select count(*) as n from codeitems where description = 'z'", dao::dbOpenSnapshot);
    EXPECT_EQ(rs.value("n").toLong(), 0);
    rs.close();
}

}  // namespace
