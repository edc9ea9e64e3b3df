// tools/calendump: one JSON object per day with the engine's results.
#include "tests/calendar/rule_database.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

QList<QJsonObject> dump(const QStringList& args, int* exitCode) {
    QProcess p;
    p.start(QStringLiteral(CALENDUMP_PATH), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    *exitCode = p.exitCode();
    QList<QJsonObject> lines;
    for (const QByteArray& line : p.readAllStandardOutput().split('\n'))
        if (!line.isEmpty()) lines << QJsonDocument::fromJson(line).object();
    return lines;
}

TEST(Calendump, WritesOneObjectPerDayWithTheEnginesTexts) {
    const QString folder = caltest::useRuleDatabase();
    int code = -1;
    const auto days = dump({QStringLiteral("2020-05-22"), QStringLiteral("2020-05-23"), folder}, &code);
    ASSERT_EQ(code, 0);
    ASSERT_EQ(days.size(), 2);
    const QJsonObject& d = days[1];
    EXPECT_EQ(d.keys().size(), 9);
    EXPECT_EQ(d["date"].toString(), QStringLiteral("2020-05-23"));
    EXPECT_EQ(d["desc"].toString(), QStringLiteral("辛巳月五月庚子年鼠丙寅日壁上土"));
    EXPECT_EQ(d["grid"].toString(), QStringLiteral("闰四"));
    EXPECT_EQ(days[0]["grid"].toString(), QStringLiteral("三十"));
    EXPECT_EQ(d["label7"].toString(), QStringLiteral("立夏："));
    EXPECT_EQ(d["label8"].toString(), QStringLiteral("小满："));
    EXPECT_EQ(d["label9"].toString(), QStringLiteral("5日   8:51"));
    EXPECT_EQ(d["label10"].toString(), QStringLiteral("20日  21:49"));
    EXPECT_EQ(d["monthPillarByJie"].toString(), QStringLiteral("辛巳"));
    EXPECT_EQ(d["dayPillar"].toString(), QStringLiteral("丙寅"));
}

TEST(Calendump, RefusesDatesItCannotRead) {
    int code = -1;
    EXPECT_TRUE(dump({QStringLiteral("2020-05-22"), QStringLiteral("tomorrow")}, &code).isEmpty());
    EXPECT_EQ(code, 2);
}

}  // namespace
