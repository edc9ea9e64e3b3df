// Compaction of the work database never loses it: a failure at any step, or the process killed at
// any moment, leaves a whole database with every row.
#include "core/database_maintenance.h"
#include "core/globals.h"
#include "platform/dao/compaction.h"
#include "platform/dao/dao.h"
#include "platform/vb/error.h"
#include "platform/vb/folders.h"
#include "tests/library/library_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <cstdio>

#include <sys/stat.h>

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

// The second copy: starts on the shared work folder named by the variable and ends, compacting
// on exit when it has the database alone.
constexpr const char* kSharedWork = "VEYRA_SHARED_WORK";

using SecondCopyChild = LibraryWindowTest;

TEST_F(SecondCopyChild, StartsAndEndsOnTheSharedLibrary) {
    const QString work = qEnvironmentVariable(kSharedWork);
    if (work.isEmpty()) GTEST_SKIP() << "runs as the child of ASecondCopysEndKeepsEveryAddOfTheFirst";
    setSetting(QStringLiteral("CompactOnExit"), QStringLiteral("True"));
    setSetting(QStringLiteral("BackupAtStart"), QStringLiteral("False"));
    start();  // the first start of this copy's own data folder sets LastDB to its starter library
    stop();
    setSetting(QStringLiteral("LastDB"), work);
    library::FrmCodeLib& w = start();
    ASSERT_TRUE(core::gWorkDB.isOpen());
    ASSERT_EQ(w.DatabasePath, work + QStringLiteral("dirovovivov.mdb"));
    stop();
    EXPECT_EQ(boxes_.count(), 0) << (boxes_.count() ? boxes_.last().text.toStdString() : "");
}

ino_t inodeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

bool runSecondCopy(const QString& work, QProcess& child) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kSharedWork), work);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=SecondCopyChild.*")});
    return child.waitForStarted();
}

// The first copy's add: an item titled by its number, whose id is appended to `ids`.
void addItem(dao::Database& db, QList<int>& ids) {
    db.execute(QStringLiteral("insert into codeitems (parentid, description) values (0, ?)"),
               {vb::Variant(QStringLiteral("first copy %1").arg(ids.size()))});
    dao::Recordset rs = db.openRecordset(QStringLiteral("select max(id) as m from codeitems"), dao::dbOpenSnapshot);
    ids.append(rs.value(QStringLiteral("m")).toLong());
    rs.close();
    dao::DBEngine::idle();  // the lock a read keeps would hold the second copy off
}

// One copy keeps adding items while a second copy starts and ends on the same library: the second
// copy's end never replaces the database under the first, so every completed add stays and no id is
// given out twice. Once the first has closed it, an end compacts again.
TEST_F(CompactionTest, ASecondCopysEndKeepsEveryAddOfTheFirst) {
    const QString work = dir_.path() + u'/';
    const ino_t before = inodeOf(database_);
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(database_);
    QList<int> ids;
    for (int round = 0; round < 3; ++round) {
        QProcess child;
        ASSERT_TRUE(runSecondCopy(work, child));
        while (child.state() != QProcess::NotRunning) {
            addItem(db, ids);
            child.waitForFinished(5);
        }
        const QString output = QString::fromLocal8Bit(child.readAll());
        ASSERT_EQ(child.exitCode(), 0) << output.toStdString();
        ASSERT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
    }
    db.close();
    ASSERT_FALSE(ids.isEmpty());
    for (int i = 1; i < ids.size(); ++i) ASSERT_GT(ids[i], ids[i - 1]) << "an id given twice";
    EXPECT_EQ(inodeOf(database_), before) << "the database was replaced under the first copy";
    dao::DBEngine::closeIdleHandles();
    EXPECT_EQ(rowCount(database_, QStringLiteral("codeitems")), rows_ + ids.size());
    dao::Database check = dao::DBEngine::defaultWorkspace().openDatabase(database_);
    for (int i = 0; i < ids.size(); ++i) {
        dao::Recordset rs = check.openRecordset(QStringLiteral("select description from codeitems where id = ?"),
                                                dao::dbOpenSnapshot, {vb::Variant(ids[i])});
        ASSERT_FALSE(rs.eof()) << "add " << i << " lost";
        EXPECT_EQ(rs.value(QStringLiteral("description")).toString(), QStringLiteral("first copy %1").arg(i));
        rs.close();
    }
    check.close();
    dao::DBEngine::closeIdleHandles();

    // Alone on it, the second copy's end compacts it.
    QProcess alone;
    ASSERT_TRUE(runSecondCopy(work, alone));
    ASSERT_TRUE(alone.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(alone.readAll());
    EXPECT_EQ(alone.exitCode(), 0) << output.toStdString();
    EXPECT_NE(inodeOf(database_), before) << output.toStdString();
    EXPECT_EQ(rowCount(database_, QStringLiteral("codeitems")), rows_ + ids.size());
}

// The second copy killed at random moments of its start and end, the first adding items all the
// while: no completed add is lost and no id given twice. VEYRA_KILL_ROUNDS sets the number of kills.
TEST_F(CompactionTest, ASecondCopyKilledAtRandomMomentsBesideTheFirstLosesNoAdd) {
    bool set = false;
    const int rounds = std::max(qEnvironmentVariableIntValue("VEYRA_KILL_ROUNDS", &set), set ? 1 : 4);
    QRandomGenerator random(20261211);
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(database_);
    QList<int> ids;
    for (int round = 0; round < rounds; ++round) {
        QProcess child;
        ASSERT_TRUE(runSecondCopy(dir_.path() + u'/', child));
        QElapsedTimer alive;
        alive.start();
        const qint64 killAt = 100 + random.bounded(1500);
        while (alive.elapsed() < killAt && child.state() != QProcess::NotRunning) {
            addItem(db, ids);
            child.waitForFinished(5);
        }
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished();
        addItem(db, ids);
    }
    db.close();
    for (int i = 1; i < ids.size(); ++i) ASSERT_GT(ids[i], ids[i - 1]) << "an id given twice";
    dao::DBEngine::closeIdleHandles();
    ASSERT_TRUE(integrityOk(database_));
    EXPECT_EQ(rowCount(database_, QStringLiteral("codeitems")), rows_ + ids.size());
    std::printf("%d kills beside %lld adds, every add kept\n", rounds, static_cast<long long>(ids.size()));
}

TEST_F(CompactionTest, TheCompactedDatabaseKeepsItsMode) {
    for (const QFileDevice::Permissions mode :
         {QFileDevice::ReadOwner | QFileDevice::WriteOwner,
          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther}) {
        ASSERT_TRUE(QFile::setPermissions(database_, mode));
        ASSERT_TRUE(core::ReplaceWithCompactedCopy(database_, database_));
        EXPECT_EQ(QFile::permissions(database_) & 0x7077, mode & 0x7077);
    }
}

}  // namespace
