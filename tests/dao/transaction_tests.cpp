// Workspace transactions over the databases of a workspace.
#include "dao_fixture.h"

using namespace daotest;

namespace {

class TransactionTest : public DaoTest {
protected:
    void SetUp() override {
        for (const char* name : {"one.mdb", "two.mdb"})
            make(QString::fromLatin1(name), {"CREATE TABLE t (id COUNTER, a TEXT(10))"}).close();
        ws_ = dao::DBEngine::createWorkspace("", "admin", "");
        one_ = ws_.openDatabase(path("one.mdb"));
        two_ = ws_.openDatabase(path("two.mdb"));
    }

    static int rows(dao::Database& db) {
        return db.openRecordset("SELECT count(*) FROM t", dao::dbOpenSnapshot).field(0).value().toLong();
    }
    static void add(dao::Database& db, const char* a) { db.execute("INSERT INTO t (a) VALUES (?)", {vb::Variant(a)}); }

    dao::Workspace ws_;
    dao::Database one_, two_;
};

TEST_F(TransactionTest, RollbackUndoesEveryDatabaseOfTheWorkspace) {
    ws_.beginTrans();
    add(one_, "x");
    add(two_, "y");
    dao::Recordset rs = two_.openRecordset("SELECT * FROM t");
    rs.edit();
    rs.setValue("a", vb::Variant("z"));
    rs.update();
    ws_.rollback();
    EXPECT_EQ(rows(one_), 0);
    EXPECT_EQ(rows(two_), 0);
}

TEST_F(TransactionTest, CommitKeepsEveryDatabaseOfTheWorkspace) {
    ws_.beginTrans();
    add(one_, "x");
    add(two_, "y");
    ws_.commitTrans();
    dao::DBEngine::closeIdleHandles();
    dao::Database again = dao::DBEngine::defaultWorkspace().openDatabase(path("two.mdb"));
    EXPECT_EQ(rows(one_), 1);
    EXPECT_EQ(rows(again), 1);
}

TEST_F(TransactionTest, NestedTransactionsAndLateOpens) {
    make("three.mdb", {"CREATE TABLE t (id COUNTER, a TEXT(10))"}).close();
    ws_.beginTrans();
    add(one_, "outer");
    ws_.beginTrans();
    add(one_, "inner");
    dao::Database three = ws_.openDatabase(path("three.mdb"));  // joins the running transaction
    add(three, "late");
    ws_.rollback();
    EXPECT_EQ(rows(one_), 1);
    EXPECT_EQ(rows(three), 0);
    add(three, "kept");
    ws_.commitTrans();
    EXPECT_EQ(rows(one_), 1);
    EXPECT_EQ(rows(three), 1);
}

TEST_F(TransactionTest, ClosingADatabaseKeepsTheTransactionAndClosingTheWorkspaceRollsItBack) {
    ws_.beginTrans();
    add(one_, "x");
    one_.close();
    one_ = ws_.openDatabase(path("one.mdb"));  // as a record class reopens the shared connection
    add(one_, "y");
    EXPECT_EQ(rows(one_), 2);
    ws_.close();
    dao::Database after = dao::DBEngine::defaultWorkspace().openDatabase(path("one.mdb"));
    EXPECT_EQ(rows(after), 0);
}

TEST_F(TransactionTest, CommitOrRollbackWithoutBeginFails) {
    EXPECT_EQ(errorOf([&] { ws_.commitTrans(); }), dao::kNoTransaction);
    EXPECT_EQ(errorOf([&] { ws_.rollback(); }), dao::kNoTransaction);
}

}  // namespace
