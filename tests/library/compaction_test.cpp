// Compaction of the work database never loses it: a failure at any step, or the process killed at
// any moment, leaves a whole database with every row.
#include "core/database_maintenance.h"
#include "platform/dao/compaction.h"
#include "platform/dao/dao.h"
#include "platform/vb/error.h"
#include "platform/vb/folders.h"
#include "tests/library/library_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>

namespace {

constexpr const char* kCompactLoop = "VEYRA_COMPACT_LOOP";

class CompactionTest : public LibraryWindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        database_ = dir_.filePath(QStringLiteral("dirovovivov.mdb"));
        ASSERT_TRUE(QFile::copy(vb::joinPath(vb::programFolder(), QStringLiteral("dirovovivov.mdb")), database_));
        QFile::setPermissions(database_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(database_);
        for (int i = 0; i < 300; ++i)
            db.execute(QStringLiteral("insert into codeitems (parentid, description) values (0, ?)"),
                       {vb::Variant(QStringLiteral("条目 %1 ").arg(i).repeated(20))});
        db.execute(QStringLiteral("delete from codeitems where id > 100 and id < 200"));
        db.close();
        rows_ = rowCount(database_, QStringLiteral("codeitems"));
    }
    void TearDown() override {
        dao::detail::setCompactionFault({});
        LibraryWindowTest::TearDown();
    }

    QTemporaryDir dir_;
    QString database_;
    int rows_ = 0;
};

TEST_F(CompactionTest, AFailureAtEveryStepLeavesTheDatabaseWhole) {
    for (auto stage : {dao::detail::CompactionStage::Copied, dao::detail::CompactionStage::Verified}) {
        dao::detail::setCompactionFault([stage](dao::detail::CompactionStage at, const QString&) {
            if (at == stage) vb::raise(3043, QStringLiteral("test"));
        });
        EXPECT_THROW(core::ReplaceWithCompactedCopy(database_, database_), vb::Error);
        EXPECT_TRUE(integrityOk(database_));
        EXPECT_EQ(rowCount(database_, QStringLiteral("codeitems")), rows_);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"dirovovivov.mdb"});
    }
    dao::detail::setCompactionFault({});
    const qint64 before = QFileInfo(database_).size();
    core::ReplaceWithCompactedCopy(database_, database_);
    EXPECT_LT(QFileInfo(database_).size(), before);
    EXPECT_EQ(rowCount(database_, QStringLiteral("codeitems")), rows_);
}

// The child: compacts the database named by the variable over and over until it is killed.
TEST(CompactionChild, CompactsUntilKilled) {
    const QString database = qEnvironmentVariable(kCompactLoop);
    if (database.isEmpty()) GTEST_SKIP() << "runs as the child of KilledDuringCompaction";
    for (;;) core::ReplaceWithCompactedCopy(database, database);
}

TEST_F(CompactionTest, KilledAtRandomMomentsTheDatabaseAlwaysOpensWhole) {
    QRandomGenerator random(20261210);
    for (int round = 0; round < 12; ++round) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kCompactLoop), database_);
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=CompactionChild.*")});
        ASSERT_TRUE(child.waitForStarted());
        QThread::msleep(60 + random.bounded(400));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        dao::DBEngine::closeIdleHandles();
        ASSERT_TRUE(integrityOk(database_)) << "round " << round;
        ASSERT_EQ(rowCount(database_, QStringLiteral("codeitems")), rows_) << "round " << round;
    }
}

}  // namespace
