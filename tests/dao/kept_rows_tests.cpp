// A snapshot read again while its file is unchanged may come from the rows its handle kept; every
// kind of change to the file must show in the next snapshot.
#include "dao_fixture.h"

#include <sqlite3.h>

using namespace daotest;

namespace {

class KeptRowsTest : public DaoTest {
protected:
    void SetUp() override {
        make("kept.mdb", {"CREATE TABLE t (id COUNTER, a TEXT(10))", "INSERT INTO t (a) VALUES ('x')"}).close();
        db_ = dao::DBEngine::defaultWorkspace().openDatabase(path("kept.mdb"));
    }
    void TearDown() override {
        db_.close();
        DaoTest::TearDown();
    }

    // The texts of column a, in id order, as a snapshot without parameters reads them.
    QString texts() {
        dao::Recordset rs = db_.openRecordset("SELECT a FROM t ORDER BY id", dao::dbOpenSnapshot);
        QString s;
        for (; !rs.eof(); rs.moveNext()) s += rs["a"].text();
        return s;
    }

    dao::Database db_;
};

TEST_F(KeptRowsTest, RepeatedSnapshotsGiveTheSameRows) {
    EXPECT_EQ(texts(), "x");
    EXPECT_EQ(texts(), "x");
    dao::Recordset rs = db_.openRecordset("SELECT a FROM t ORDER BY id", dao::dbOpenSnapshot);
    EXPECT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.field("A").name().toLower(), "a") << "fields keep their names";
}

TEST_F(KeptRowsTest, WritesThroughThisProgramShowAtOnce) {
    ASSERT_EQ(texts(), "x");
    db_.execute("INSERT INTO t (a) VALUES (?)", {vb::Variant("y")});
    EXPECT_EQ(texts(), "xy") << "an insert";

    dao::Database other = dao::DBEngine::defaultWorkspace().openDatabase(path("kept.mdb"));
    dao::Recordset rs = other.openRecordset("SELECT * FROM t WHERE a='y'", dao::dbOpenDynaset);
    rs.edit();
    rs.setValue("a", vb::Variant("z"));
    rs.update();
    rs.close();
    EXPECT_EQ(texts(), "xz") << "an edit through another open of the file";

    other.execute("DELETE FROM t WHERE a='x'");
    EXPECT_EQ(texts(), "z") << "a delete";
    other.close();
}

TEST_F(KeptRowsTest, ARolledBackTransactionLeavesNoTrace) {
    ASSERT_EQ(texts(), "x");
    dao::Workspace ws = dao::DBEngine::createWorkspace("", "admin", "");
    dao::Database inTrans = ws.openDatabase(path("kept.mdb"));
    ws.beginTrans();
    inTrans.execute("INSERT INTO t (a) VALUES ('y')");
    EXPECT_EQ(texts(), "xy") << "the transaction's own write is seen inside it";
    ws.rollback();
    EXPECT_EQ(texts(), "x") << "nothing read inside the transaction outlives its rollback";
    ws.close();
}

TEST_F(KeptRowsTest, ASchemaChangeShowsAtOnce) {
    ASSERT_EQ(texts(), "x");
    db_.execute("DROP TABLE t");
    db_.execute("CREATE TABLE t (id COUNTER, a TEXT(10))");
    db_.execute("INSERT INTO t (a) VALUES ('n')");
    EXPECT_EQ(texts(), "n");
}

TEST_F(KeptRowsTest, ACommitByAnotherProgramShowsAfterTheEngineIdles) {
    ASSERT_EQ(texts(), "x");
    // Another program can write only once this one lets its read lock go.
    dao::DBEngine::idle(dao::dbRefreshCache);
    sqlite3* outside = nullptr;
    ASSERT_EQ(sqlite3_open(path("kept.mdb").toUtf8().constData(), &outside), SQLITE_OK);
    sqlite3_busy_timeout(outside, 2000);
    EXPECT_EQ(sqlite3_exec(outside, "INSERT INTO t (a) VALUES ('w')", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(outside);
    EXPECT_EQ(texts(), "xw");
}

}  // namespace
