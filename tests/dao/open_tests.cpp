// Opening databases: missing and foreign files, passwords, the shared handle.
#include "dao_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <sqlite3.h>
#include <sys/stat.h>

using namespace daotest;
using dao::DBEngine::defaultWorkspace;

namespace {

class OpenTest : public DaoTest {};

TEST_F(OpenTest, MissingFileFailsWith3024AndCreatesNothing) {
    const QString missing = path("nothing.mdb");
    EXPECT_EQ(errorOf([&] { defaultWorkspace().openDatabase(missing); }), dao::kCouldNotFindFile);
    EXPECT_EQ(errorTextOf([&] { defaultWorkspace().openDatabase(missing); }),
              QStringLiteral("Could not find file '%1'.").arg(missing));
    EXPECT_FALSE(QFile::exists(missing));
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden).isEmpty());
}

TEST_F(OpenTest, FilesThatAreNoDatabaseAreRefused) {
    struct Case {
        const char* name;
        QByteArray content;
    };
    const Case cases[] = {
        {"empty.mdb", QByteArray()},
        {"text.mdb", QByteArray("Standard Jet DB but really just text\n")},
        {"short.mdb", QByteArray("SQLite")},
    };
    for (const auto& c : cases) {
        QFile f(path(QString::fromLatin1(c.name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.content);
        f.close();
        const int err = errorOf([&] { defaultWorkspace().openDatabase(f.fileName()); });
        EXPECT_TRUE(err == dao::kUnrecognizedDatabaseFormat || err == dao::kDatabaseCorrupt) << c.name << " " << err;
        EXPECT_EQ(QFileInfo(f.fileName()).size(), c.content.size()) << c.name;
    }
}

TEST_F(OpenTest, PipesAndOtherNonFilesAreRefusedAtOnce) {
    const QString pipe = path("pipe.mdb");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString link = path("link.mdb");
    ASSERT_TRUE(QFile::link(pipe, link));
    for (const QString& file : {pipe, link, QStringLiteral("/dev/null")}) {
        EXPECT_EQ(errorOf([&] { defaultWorkspace().openDatabase(file); }), dao::kUnrecognizedDatabaseFormat)
            << file.toStdString();
        EXPECT_EQ(errorTextOf([&] { defaultWorkspace().openDatabase(file); }),
                  QStringLiteral("Unrecognized database format '%1'.").arg(file));
    }
}

TEST_F(OpenTest, APasswordTableWithoutAReadablePasswordLetsNoOneIn) {
    const char* damages[] = {"UPDATE MSysPassword SET hash = x''", "UPDATE MSysPassword SET salt = 'salt'",
                             "DELETE FROM MSysPassword",
                             "DROP TABLE MSysPassword; CREATE TABLE MSysPassword (x TEXT(5))"};
    for (int i = 0; i < 4; ++i) {
        const QString name = QStringLiteral("rules%1.mdb").arg(i);
        make(name, {"CREATE TABLE t (a TEXT(10))"}, QStringLiteral("QuietLoom")).close();
        dao::DBEngine::closeIdleHandles();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(QFile::encodeName(path(name)).constData(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, damages[i], nullptr, nullptr, nullptr), SQLITE_OK) << damages[i];
        sqlite3_close(db);
        for (const char* connect : {"; pwd=QuietLoom ", "", "; pwd=x"})
            EXPECT_EQ(errorOf([&] { defaultWorkspace().openDatabase(path(name), false, false, QString::fromLatin1(connect)); }),
                      dao::kNotAValidPassword)
                << damages[i] << " with '" << connect << "'";
    }
}

TEST_F(OpenTest, DamagedHeaderIsRefused) {
    make("damaged.mdb", {"CREATE TABLE t (a TEXT(10))"}).close();
    dao::DBEngine::closeIdleHandles();
    QFile f(path("damaged.mdb"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(16);
    f.write(QByteArray(84, '\x7f'));  // page size, format numbers and counters
    f.close();
    const int err = errorOf([&] { defaultWorkspace().openDatabase(f.fileName()).openRecordset("SELECT * FROM t"); });
    EXPECT_TRUE(err == dao::kUnrecognizedDatabaseFormat || err == dao::kDatabaseCorrupt) << err;
}

TEST_F(OpenTest, PasswordIsCheckedAgainstTheStoredOne) {
    make("rules.mdb", {"CREATE TABLE t (a TEXT(10))"}, QStringLiteral("QuietLoom")).close();
    const QString file = path("rules.mdb");
    struct Case {
        const char* connect;
        int error;
    };
    const Case cases[] = {
        {"; pwd=QuietLoom ", 0},  // the program's own connect string, trailing blank and all
        {";pwd=QuietLoom", 0},
        {"MS Access;PWD=QuietLoom", 0},
        {"; pwd=quietloom ", dao::kNotAValidPassword},  // passwords are case-sensitive
        {"; pwd=Wrong", dao::kNotAValidPassword},
        {"", dao::kNotAValidPassword},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(errorOf([&] { defaultWorkspace().openDatabase(file, false, false, QString::fromLatin1(c.connect)); }),
                  c.error)
            << c.connect;
    }
    EXPECT_EQ(errorTextOf([&] { defaultWorkspace().openDatabase(file, false, false, "; pwd=x"); }),
              QStringLiteral("Not a valid password."));
    // A holder of the open file does not let a wrong password in.
    dao::Database held = defaultWorkspace().openDatabase(file, false, false, "; pwd=QuietLoom ");
    EXPECT_EQ(errorOf([&] { defaultWorkspace().openDatabase(file, false, false, "; pwd=nope"); }), dao::kNotAValidPassword);
}

TEST_F(OpenTest, DatabaseWithoutPasswordOpensWithAnyConnectString) {
    make("work.mdb", {"CREATE TABLE t (a TEXT(10))"}).close();
    EXPECT_EQ(errorOf([&] { defaultWorkspace().openDatabase(path("work.mdb")); }), 0);
    EXPECT_EQ(errorOf([&] { defaultWorkspace().openDatabase(path("work.mdb"), false, false, "; pwd=QuietLoom "); }), 0);
}

TEST_F(OpenTest, CreateDatabaseRefusesAnExistingFileAndAMissingFolder) {
    make("a.mdb", {}).close();
    EXPECT_EQ(errorOf([&] { dao::DBEngine::createDatabase(path("a.mdb")); }), dao::kDatabaseExists);
    EXPECT_EQ(errorOf([&] { dao::DBEngine::createDatabase(path("no/such/folder.mdb")); }), dao::kNotAValidPath);
}

TEST_F(OpenTest, ReopenSeesWhatAnotherHolderWrote) {
    dao::Database first = make("w.mdb", {"CREATE TABLE t (id COUNTER, a TEXT(10))"});
    dao::Database second = defaultWorkspace().openDatabase(path("w.mdb"));
    first.execute("INSERT INTO t (a) VALUES (?)", {vb::Variant("x")});
    dao::Recordset rs = second.openRecordset("SELECT a FROM t", dao::dbOpenSnapshot);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs["a"].toString(), QStringLiteral("x"));
    // Another spelling of the same path finds the same file.
    dao::Database third = defaultWorkspace().openDatabase(dir_.path() + "/./w.mdb");
    EXPECT_EQ(third.openRecordset("SELECT count(*) FROM t", dao::dbOpenSnapshot).field(0).value().toLong(), 1);
}

TEST_F(OpenTest, ExclusiveOpenKeepsOthersOut) {
    make("x.mdb", {}).close();
    {
        dao::Database exclusive = defaultWorkspace().openDatabase(path("x.mdb"), true);
        EXPECT_EQ(errorOf([&] { defaultWorkspace().openDatabase(path("x.mdb")); }), dao::kFileAlreadyInUse);
    }
    dao::Database shared = defaultWorkspace().openDatabase(path("x.mdb"));
    EXPECT_EQ(errorOf([&] { defaultWorkspace().openDatabase(path("x.mdb"), true); }), dao::kFileAlreadyInUse);
}

TEST_F(OpenTest, ReadOnlyDatabaseRefusesWrites) {
    make("r.mdb", {"CREATE TABLE t (id COUNTER, a TEXT(10))", "INSERT INTO t (a) VALUES ('x')"}).close();
    dao::Database db = defaultWorkspace().openDatabase(path("r.mdb"), false, true);
    EXPECT_EQ(errorOf([&] { db.execute("DELETE FROM t"); }), dao::kCouldNotUpdate);
    dao::Recordset rs = db.openRecordset("SELECT * FROM t");
    EXPECT_EQ(errorOf([&] { rs.edit(); }), dao::kCouldNotUpdate);
    EXPECT_EQ(rs["a"].toString(), QStringLiteral("x"));
}

TEST_F(OpenTest, ClosedObjectsFailWith3420) {
    dao::Database db = make("c.mdb", {"CREATE TABLE t (a TEXT(10))"});
    dao::Recordset rs = db.openRecordset("SELECT * FROM t");
    db.close();
    EXPECT_FALSE(db.isOpen());
    EXPECT_FALSE(rs.isOpen());
    EXPECT_EQ(errorOf([&] { rs.eof(); }), dao::kObjectClosed);
    EXPECT_EQ(errorOf([&] { db.openRecordset("SELECT * FROM t"); }), dao::kObjectClosed);
    EXPECT_EQ(errorOf([&] { db.close(); }), 0);
}

TEST_F(OpenTest, ClosingAWorkspaceClosesItsDatabasesButTheDefaultOneIgnoresIt) {
    make("ws.mdb", {}).close();
    dao::Workspace ws = dao::DBEngine::createWorkspace("", "admin", "");
    dao::Database db = ws.openDatabase(path("ws.mdb"));
    ws.close();
    EXPECT_FALSE(db.isOpen());
    EXPECT_EQ(errorOf([&] { ws.openDatabase(path("ws.mdb")); }), dao::kObjectClosed);

    dao::Database kept = defaultWorkspace().openDatabase(path("ws.mdb"));
    defaultWorkspace().close();
    EXPECT_TRUE(kept.isOpen());
}

// A writer that does not wait, standing for another process.
int writeFromElsewhere(const QString& file) {
    sqlite3* other = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
    const int rc = sqlite3_exec(other, "INSERT INTO t (a) VALUES ('other')", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    return rc;
}

TEST_F(OpenTest, ReadLocksAreLetGoWhenTheEventLoopRunsOrOnIdle) {
    make("l.mdb", {"CREATE TABLE t (id COUNTER, a TEXT(10))"}).close();
    dao::Database db = defaultWorkspace().openDatabase(path("l.mdb"));
    db.openRecordset("SELECT * FROM t", dao::dbOpenSnapshot).close();
    EXPECT_EQ(writeFromElsewhere(path("l.mdb")), SQLITE_BUSY);  // readers of this process hold the file
    QCoreApplication::processEvents();
    EXPECT_EQ(writeFromElsewhere(path("l.mdb")), SQLITE_OK);
    db.openRecordset("SELECT * FROM t", dao::dbOpenSnapshot).close();
    dao::DBEngine::idle(dao::dbFreeLocks);
    EXPECT_EQ(writeFromElsewhere(path("l.mdb")), SQLITE_OK);
    EXPECT_EQ(db.openRecordset("SELECT count(*) FROM t", dao::dbOpenSnapshot).field(0).value().toLong(), 2);
    // Writes leave no journal behind, held lock or not.
    db.execute("INSERT INTO t (a) VALUES ('mine')");
    db.openRecordset("SELECT * FROM t", dao::dbOpenSnapshot).close();
    db.execute("DELETE FROM t WHERE a = 'mine'");
    QCoreApplication::processEvents();
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"l.mdb"}));
}

int openDescriptors() { return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System).size()); }

TEST_F(OpenTest, TenThousandOpensLeakNoHandle) {
    make("rules.mdb", {"CREATE TABLE AmingshG (y TEXT(2), a TEXT(2))", "INSERT INTO AmingshG VALUES ('正', '寅子')"},
         QStringLiteral("QuietLoom"))
        .close();
    dao::DBEngine::closeIdleHandles();
    const int before = openDescriptors();
    for (int i = 0; i < 10000; ++i) {
        dao::Database db = defaultWorkspace().openDatabase(path("rules.mdb"), false, false, "; pwd=QuietLoom ");
        dao::Recordset rs = db.openRecordset("SELECT y, a FROM AmingshG WHERE y='正'", dao::dbOpenSnapshot);
        ASSERT_EQ(rs["a"].toString(), QStringLiteral("寅子"));
        rs.close();
        db.close();
    }
    EXPECT_LE(openDescriptors(), before + 1);  // the idle handle kept for the next open
    dao::DBEngine::closeIdleHandles();
    EXPECT_EQ(openDescriptors(), before);
}

}  // namespace
