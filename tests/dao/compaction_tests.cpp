// Compaction: every row kept, and on failure the source untouched and no target left.
#include "dao_fixture.h"

#include "platform/dao/compaction.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

using namespace daotest;
using dao::DBEngine::compactDatabase;
using dao::DBEngine::defaultWorkspace;

namespace {

class CompactionTest : public DaoTest {
protected:
    void SetUp() override {
        dao::Database db = make("work.mdb",
                                {"CREATE TABLE codeitems (id COUNTER, parentid LONG, description TEXT(50), code MEMO)",
                                 "CREATE TABLE codefiles (ID COUNTER, CodeID LONG, [File] LONGBINARY)"});
        dao::Workspace ws = defaultWorkspace();
        ws.beginTrans();
        for (int i = 0; i < 300; ++i)
            db.execute("INSERT INTO codeitems (parentid, description, code) VALUES (?, ?, ?)",
                       {vb::Variant(i % 7), vb::Variant(QStringLiteral("item %1").arg(i)), vb::Variant(QString(500, QChar(0x6587)))});
        db.execute("INSERT INTO codefiles (CodeID, [File]) VALUES (1, ?)", {vb::Variant(QByteArray(40000, 'f'))});
        db.execute("DELETE FROM codeitems WHERE id > 250");  // free pages, and counters past the last row
        ws.commitTrans();
        db.close();
    }
    void TearDown() override {
        dao::detail::setCompactionFault({});
        DaoTest::TearDown();
    }

    QByteArray bytesOf(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(CompactionTest, KeepsEveryRowAndTheCounters) {
    const QByteArray original = bytesOf("work.mdb");
    compactDatabase(path("work.mdb"), path("copy.mdb"));
    EXPECT_EQ(bytesOf("work.mdb"), original);
    EXPECT_LT(QFileInfo(path("copy.mdb")).size(), original.size());
    EXPECT_EQ(files(), QStringList({"copy.mdb", "work.mdb"}));

    dao::Database copy = defaultWorkspace().openDatabase(path("copy.mdb"));
    dao::Recordset items = copy.openRecordset("select * from codeitems order by id", dao::dbOpenSnapshot);
    EXPECT_EQ(items.recordCount(), 250);
    items.moveLast();
    EXPECT_EQ(items["description"].toString(), QStringLiteral("item 249"));
    EXPECT_EQ(items["code"].toString(), QString(500, QChar(0x6587)));
    EXPECT_EQ(copy.openRecordset("select file from codefiles", dao::dbOpenSnapshot)["file"].toBytes(),
              QByteArray(40000, 'f'));
    copy.execute("INSERT INTO codeitems (parentid) VALUES (0)");
    EXPECT_EQ(copy.openRecordset("select max(id) from codeitems", dao::dbOpenSnapshot).field(0).value().toLong(), 301);
}

TEST_F(CompactionTest, KeepsThePassword) {
    make("rules.mdb", {"CREATE TABLE t (a TEXT(5))", "INSERT INTO t VALUES ('x')"}, QStringLiteral("QuietLoom")).close();
    EXPECT_EQ(errorOf([&] { compactDatabase(path("rules.mdb"), path("c.mdb")); }), dao::kNotAValidPassword);
    compactDatabase(path("rules.mdb"), path("c.mdb"), QStringLiteral("QuietLoom"));
    EXPECT_EQ(errorOf([&] { defaultWorkspace().openDatabase(path("c.mdb")); }), dao::kNotAValidPassword);
    EXPECT_EQ(defaultWorkspace().openDatabase(path("c.mdb"), false, false, "; pwd=QuietLoom ")
                  .openRecordset("t", dao::dbOpenSnapshot)["a"]
                  .toString(),
              QStringLiteral("x"));
}

TEST_F(CompactionTest, FailureLeavesTheSourceAndNoTarget) {
    const QByteArray original = bytesOf("work.mdb");
    for (const auto stage : {dao::detail::CompactionStage::Copied, dao::detail::CompactionStage::Verified}) {
        QString temporary;
        dao::detail::setCompactionFault([&](dao::detail::CompactionStage s, const QString& tmp) {
            temporary = tmp;
            if (s == stage) dao::raiseJet(dao::kDiskIOError, "test");
        });
        EXPECT_EQ(errorOf([&] { compactDatabase(path("work.mdb"), path("copy.mdb")); }), dao::kDiskIOError);
        EXPECT_FALSE(temporary.isEmpty());
        EXPECT_FALSE(QFile::exists(temporary));
        EXPECT_EQ(files(), QStringList({"work.mdb"}));
        EXPECT_EQ(bytesOf("work.mdb"), original);
    }
}

TEST_F(CompactionTest, RefusedTargetsAndSources) {
    make("other.mdb", {}).close();
    EXPECT_EQ(errorOf([&] { compactDatabase(path("work.mdb"), path("other.mdb")); }), dao::kDatabaseExists);
    EXPECT_EQ(errorOf([&] { compactDatabase(path("work.mdb"), path("no/folder/copy.mdb")); }), dao::kNotAValidPath);
    EXPECT_EQ(errorOf([&] { compactDatabase(path("missing.mdb"), path("copy.mdb")); }), dao::kCouldNotFindFile);
    EXPECT_EQ(files(), QStringList({"other.mdb", "work.mdb"}));
}

TEST_F(CompactionTest, DamagedSourceGivesNoTarget) {
    dao::DBEngine::closeIdleHandles();  // the file is changed behind the engine's back
    QByteArray damaged = bytesOf("work.mdb");
    // Whole b-tree pages overwritten: the copy cannot read its way through them.
    for (qsizetype i = 4096; i < damaged.size() - 4096; ++i) damaged[i] = char(0xA5);
    QFile f(path("work.mdb"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(damaged);
    f.close();
    EXPECT_NE(errorOf([&] { compactDatabase(path("work.mdb"), path("copy.mdb")); }), 0);
    EXPECT_EQ(files(), QStringList({"work.mdb"}));
    EXPECT_EQ(bytesOf("work.mdb"), damaged);
}

TEST_F(CompactionTest, UnwritableTargetFolderGivesNoTarget) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the super-user";
    QDir(dir_.path()).mkdir("locked");
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(errorOf([&] { compactDatabase(path("work.mdb"), path("locked/copy.mdb")); }), dao::kCannotOpenFile);
    QFile::setPermissions(path("locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(QDir(path("locked")).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(CompactionTest, CompactingBackOverTheDeletedSourceOpensTheNewFile) {
    // Compact to a temporary copy, delete the source, compact back: a handle still open on the deleted
    // file must not be taken for the new one.
    dao::Database before = defaultWorkspace().openDatabase(path("work.mdb"));
    before.execute("DELETE FROM codeitems WHERE id > 100");
    before.close();
    compactDatabase(path("work.mdb"), path("dbbackup.mdb"));
    ASSERT_TRUE(QFile::remove(path("work.mdb")));
    compactDatabase(path("dbbackup.mdb"), path("work.mdb"));
    ASSERT_TRUE(QFile::remove(path("dbbackup.mdb")));
    dao::Database after = defaultWorkspace().openDatabase(path("work.mdb"));
    after.execute("INSERT INTO codeitems (parentid) VALUES (1)");
    EXPECT_EQ(after.openRecordset("select count(*) from codeitems", dao::dbOpenSnapshot).field(0).value().toLong(), 101);
    dao::DBEngine::closeIdleHandles();
    dao::Database fresh = defaultWorkspace().openDatabase(path("work.mdb"));
    EXPECT_EQ(fresh.openRecordset("select count(*) from codeitems", dao::dbOpenSnapshot).field(0).value().toLong(), 101);
}

}  // namespace
