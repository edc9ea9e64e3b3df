// chartdump and calendump: a bad argument is exit 2 with a message, a rule database that fails its
// check is exit 1 (never a bad argument), output that cannot be written is a failure, --db names the
// one database every lookup reads, and a leap month is charted as the month that follows it.
#include "core/rule_database.h"
#include "platform/dao/dao.h"
#include "tests/support/test_env.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct ToolRun {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

ToolRun run(const char* tool, const QStringList& args, const QString& outputFile = QString()) {
    QProcess p;
    if (!outputFile.isEmpty()) p.setStandardOutputFile(outputFile);
    p.start(QString::fromUtf8(tool), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    ToolRun r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QString builtDatabase() { return testenv::programDir() + QStringLiteral("/zodazire.mdb"); }

QStringList lunar(const char* month) {
    return {QStringLiteral("--lunar"), QStringLiteral("庚子"), QString::fromUtf8(month), QStringLiteral("初一"),
            QStringLiteral("子"), QStringLiteral("男"), QStringLiteral("--db"), builtDatabase()};
}

// The chart itself, without the birth caption (which spells the birth as it was given).
QJsonObject chartOf(const ToolRun& r) {
    QJsonObject o = QJsonDocument::fromJson(r.out).object();
    o.remove(QStringLiteral("lblCHUsh"));
    return o;
}

struct BadArguments {
    const char* tool;
    QStringList args;
};

TEST(DumpTools, BadArgumentsAreExitTwoWithAMessage) {
    const BadArguments cases[] = {
        {CALENDUMP_PATH, {"2020-05-23", "2020-05-22"}},              // reversed
        {CALENDUMP_PATH, {"1882-02-28", "1882-03-02"}},              // before the calendar
        {CALENDUMP_PATH, {"2031-12-30", "2032-01-01"}},              // after it
        {CALENDUMP_PATH, {"2020-05-22", "2020-13-01"}},              // no date
        {CALENDUMP_PATH, {"2020-05-22", "2020-05-23", "--db", ""}},  // empty --db
        {CALENDUMP_PATH, {"2020-05-22", "2020-05-23", "--db"}},
        {CALENDUMP_PATH, {"2020-05-22", "2020-05-23", "/tmp", "--db", "x.mdb"}},
        {CHARTDUMP_PATH, {"--solar", "2032-01-01T12:00", "male"}},
        {CHARTDUMP_PATH, {"--solar", "1882-02-28T12:00", "male"}},
        {CHARTDUMP_PATH, {"--solar", "2020-05-23T12:00", "male", "--db", ""}},
        {CHARTDUMP_PATH, {"--solar", "2020-05-23T12:00", "male", "--db"}},
        {CHARTDUMP_PATH, {"--lunar", "庚子", "闰十三月", "初一", "子", "男"}},
        {CHARTDUMP_PATH, {"--lunar", "庚子", "闰", "初一", "子", "男"}},
    };
    for (const BadArguments& c : cases) {
        const ToolRun r = run(c.tool, c.args);
        EXPECT_EQ(r.exitCode, 2) << c.tool << " " << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("usage"))) << r.err.toStdString();
    }
}

TEST(DumpTools, OutputThatCannotBeWrittenIsAFailure) {
    if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
    const BadArguments cases[] = {
        {CALENDUMP_PATH, {"2020-01-01", "2020-12-31", "--db", builtDatabase()}},
        {CHARTDUMP_PATH, lunar("五月")},
    };
    for (const BadArguments& c : cases) {
        const ToolRun r = run(c.tool, c.args, QStringLiteral("/dev/full"));
        EXPECT_NE(r.exitCode, 0) << c.tool;
        EXPECT_TRUE(r.err.contains(QStringLiteral("write"))) << r.err.toStdString();
    }
}

// --db names the file every lookup reads, the calendar's as well: a database under another name, in
// a folder without zodazire.mdb, serves a Gregorian birth whole.
TEST(DumpTools, DbNamesTheOneDatabaseOfEveryLookup) {
    QTemporaryDir dir;
    const QString other = dir.filePath(QStringLiteral("other.mdb"));
    ASSERT_TRUE(QFile::copy(builtDatabase(), other));
    const ToolRun chart = run(CHARTDUMP_PATH, {"--solar", "2020-05-23T12:00", "male", "--db", other});
    EXPECT_EQ(chart.exitCode, 0) << chart.err.toStdString();
    const ToolRun days = run(CALENDUMP_PATH, {"2020-05-22", "2020-05-23", "--db", other});
    EXPECT_EQ(days.exitCode, 0) << days.err.toStdString();
    EXPECT_EQ(days.out.count('\n'), 2);
}

struct Damage {
    const char* what;
    const char* sql;
    const char* table;
};

class DamagedDatabase : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedDatabase, BothToolsRefuseItWithExitOne) {
    const Damage& d = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zodazire.mdb"));
    ASSERT_TRUE(QFile::copy(builtDatabase(), path));
    {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path, false, false, core::ruleConnect());
        db.execute(QString::fromUtf8(d.sql));
        db.close();
        dao::DBEngine::closeIdleHandles();
    }
    const ToolRun runs[] = {
        run(CHARTDUMP_PATH, {"--solar", "2020-05-23T12:00", "male", "--db", path}),
        run(CHARTDUMP_PATH, {"--lunar", "庚子", "五月", "初一", "子", "男", "--db", path}),
        run(CALENDUMP_PATH, {"2020-05-22", "2020-05-23", "--db", path}),
        run(CALENDUMP_PATH, {"2020-05-22", "2020-05-23", dir.path()}),
    };
    for (const ToolRun& r : runs) {
        EXPECT_EQ(r.exitCode, 1) << d.what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << d.what;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(d.table))) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("usage"))) << r.err.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    CalendarAndChartTables, DamagedDatabase,
    ::testing::Values(Damage{"a Calendar row deleted", "DELETE FROM Calendar WHERE ID=1657", "Calendar"},
                      Damage{"a Calendar cell changed", "UPDATE Calendar SET JieqiNday=JieqiNday+1 WHERE ID=1600", "Calendar"},
                      Damage{"Calendar emptied", "DELETE FROM Calendar", "Calendar"},
                      Damage{"a chart row deleted", "DELETE FROM Ddwxjbiao WHERE n='庚'", "Ddwxjbiao"},
                      Damage{"a chart cell changed", "UPDATE AmingshG SET a=b WHERE y='五'", "AmingshG"},
                      Damage{"XMiao99 emptied", "DELETE FROM XMiao99", "XMiao99"},
                      Damage{"the password table dropped", "DROP TABLE MSysPassword", "password"},
                      Damage{"the password unreadable", "UPDATE MSysPassword SET hash = ''", "password"}),
    [](const ::testing::TestParamInfo<Damage>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c) name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

// A birth in a leap month is charted as the month that follows it, given by name or by its day.
TEST(DumpTools, ALeapMonthIsChartedAsTheFollowingMonth) {
    const ToolRun leap = run(CHARTDUMP_PATH, lunar("闰四月"));
    const ToolRun following = run(CHARTDUMP_PATH, lunar("五月"));
    const ToolRun repeated = run(CHARTDUMP_PATH, lunar("四月"));
    ASSERT_EQ(leap.exitCode, 0) << leap.err.toStdString();
    ASSERT_EQ(following.exitCode, 0);
    ASSERT_EQ(repeated.exitCode, 0);
    EXPECT_EQ(chartOf(leap), chartOf(following));
    EXPECT_NE(chartOf(leap), chartOf(repeated));
    // 2020-05-23 is 闰四月初一 of 庚子; 00:30 is the hour 子.
    const ToolRun byDay = run(CHARTDUMP_PATH, {"--solar", "2020-05-23T00:30", "male", "--db", builtDatabase()});
    ASSERT_EQ(byDay.exitCode, 0) << byDay.err.toStdString();
    EXPECT_EQ(chartOf(byDay), chartOf(following));
}

}  // namespace
