// A file is held alone only while no other process has it open, and a process that opens it while
// another holds it alone waits and then opens the file put in its place. The other process is this
// test binary run again as a child.
#include "dao_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <csignal>
#include <cstdio>

using namespace daotest;

namespace {

constexpr const char* kChildFile = "VEYRA_SOLE_USE_FILE";
constexpr const char* kChildMode = "VEYRA_SOLE_USE_MODE";

int rowsOf(dao::Database& db) {
    return db.openRecordset("select count(*) as n from t", dao::dbOpenSnapshot)["n"].toLong();
}

// The child: "hold" keeps the file open until killed, after saying so in a file beside it; "count"
// opens it once and prints its rows.
TEST(SoleUseChild, OpensTheFile) {
    const QString file = qEnvironmentVariable(kChildFile);
    if (file.isEmpty()) GTEST_SKIP() << "runs as the child of SoleUseTest";
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(file);
    if (qEnvironmentVariable(kChildMode) == QLatin1String("count")) {
        std::printf("rows=%d\n", rowsOf(db));
        return;
    }
    QFile ready(file + ".ready");
    ASSERT_TRUE(ready.open(QIODevice::WriteOnly));
    ready.close();
    for (;;) {
        QCoreApplication::processEvents();  // lets go of the read lock, as the program does between events
        QThread::msleep(50);
    }
}

class SoleUseTest : public DaoTest {
protected:
    void startChild(QProcess& child, const QString& file, const char* mode) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kChildFile), file);
        env.insert(QString::fromLatin1(kChildMode), QString::fromLatin1(mode));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=SoleUseChild.*")});
        ASSERT_TRUE(child.waitForStarted());
    }
};

TEST_F(SoleUseTest, HeldOnlyWhileNoOtherProcessHasTheFileOpen) {
    make("work.mdb", {"CREATE TABLE t (a LONG)"}).close();
    EXPECT_TRUE(dao::DBEngine::SoleUse(path("work.mdb")).held());
    dao::Database mine = dao::DBEngine::defaultWorkspace().openDatabase(path("work.mdb"));
    EXPECT_TRUE(dao::DBEngine::SoleUse(path("work.mdb")).held()) << "this process's own handle is no other";

    QProcess child;
    startChild(child, path("work.mdb"), "hold");
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(path("work.mdb.ready")) && waited.elapsed() < 30000) QThread::msleep(20);
    ASSERT_TRUE(QFile::exists(path("work.mdb.ready"))) << child.readAll().toStdString();
    EXPECT_FALSE(dao::DBEngine::SoleUse(path("work.mdb")).held());
    mine.execute("INSERT INTO t VALUES (1)");  // the claim left behind by the failed try still stands
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    child.waitForFinished();
    EXPECT_TRUE(dao::DBEngine::SoleUse(path("work.mdb")).held()) << "a killed process holds nothing";
}

TEST_F(SoleUseTest, AnOpenWhileTheFileIsHeldAloneFindsTheFilePutInItsPlace) {
    make("work.mdb", {"CREATE TABLE t (a LONG)", "INSERT INTO t VALUES (1)"}).close();
    make("new.mdb", {"CREATE TABLE t (a LONG)", "INSERT INTO t VALUES (1)", "INSERT INTO t VALUES (2)"}).close();
    QProcess child;
    {
        dao::DBEngine::SoleUse alone(path("work.mdb"));
        ASSERT_TRUE(alone.held());
        startChild(child, path("work.mdb"), "count");
        QThread::msleep(1500);  // the child is waiting for the file by now
        ASSERT_EQ(child.state(), QProcess::Running) << child.readAll().toStdString();
        ASSERT_TRUE(QFile::rename(path("new.mdb"), path("work.mdb.swap")));
        ASSERT_EQ(::rename(QFile::encodeName(path("work.mdb.swap")).constData(), QFile::encodeName(path("work.mdb")).constData()), 0);
    }
    ASSERT_TRUE(child.waitForFinished(30000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_TRUE(output.contains(QStringLiteral("rows=2"))) << output.toStdString();
}

}  // namespace
