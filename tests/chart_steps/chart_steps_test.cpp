// The placement steps on the in-memory chart surface: what each records for the later steps, the
// faults they no longer have, and the edges of their inputs.
#include "chart/chart_builder.h"
#include "chart/memory_chart_surface.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/globals.h"
#include "platform/dao/dao.h"
#include "platform/vb/error.h"
#include "tests/support/test_env.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <string>

namespace {

using chart::Control;

const QString kBranches = QStringLiteral("子丑寅卯辰巳午未申酉戌亥");
std::string s(const QString& q) { return q.toStdString(); }
int palaceOf(QChar branch) { return int(kBranches.indexOf(branch)); }

class ChartSteps : public ::testing::Test {
protected:
    void SetUp() override { core::setRuleDatabasePath(testenv::programDir() + QStringLiteral("/zodazire.mdb")); }
    void TearDown() override { core::setRuleDatabasePath(QString()); }

    // The captions the chart window writes for a birth: the year pillar, the lunar month and day
    // names and the hour branch.
    static void birth(chart::ChartSurface& on, const QString& yearPillar, const QString& month, const QString& day,
                      QChar hour, bool male) {
        on.setCaption(Control::lblCHUsh, QStringLiteral("一九八四（%1）年%2%3日　%4时生").arg(yearPillar, month, day, hour));
        on.setCaption(Control::Label2, 1, month);
        on.setCaption(Control::Label6, day);
        on.setCaption(Control::Label17, QStringLiteral("　%1时").arg(hour));
        core::gIsMale = male;
    }
    void birth(const QString& yearPillar, const QString& month, const QString& day, QChar hour, bool male) {
        birth(surface, yearPillar, month, day, hour, male);
    }

    // The star names of a palace in slot order.
    QStringList stars(int palace) const {
        QStringList out;
        for (int group : chart::kSlotGroupStarts)
            for (int slot = group; slot < group + chart::kSlotGroupSize; ++slot) {
                const QString name = surface.caption(Control::lblZX, chart::starSlot(palace, slot));
                if (!name.isEmpty()) out << name;
            }
        return out;
    }
    // The palaces that show the star, in palace order.
    QList<int> palacesOf(const QString& star) const {
        QList<int> out;
        for (int p = 0; p < 12; ++p)
            if (stars(p).contains(star)) out << p;
        return out;
    }
    // The twelve captions of a per-palace array, joined with "|".
    std::string captions(Control c) const {
        QStringList out;
        for (int p = 0; p < 12; ++p) out << surface.caption(c, p);
        return s(out.join(u'|'));
    }

    chart::MemoryChartSurface surface;
};

// A copy of the rule database that a test may change.
class ChangedRules : public ChartSteps {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("zodazire.mdb"));
        ASSERT_TRUE(QFile::copy(testenv::programDir() + QStringLiteral("/zodazire.mdb"), path));
        core::setRuleDatabasePath(path);
    }
    void execute(const QString& sql) {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path, false, false, core::ruleConnect());
        db.execute(sql);
        db.close();
    }
    QTemporaryDir dir;
    QString path;
};

TEST_F(ChartSteps, ZiWeiReadsTheHalfOfTheMonthThatHoldsTheDay) {
    struct Case {
        const char* day;
        QChar palace;  // of 紫微, 水二局
    };
    for (const Case& c : {Case{"初一", u'丑'}, Case{"十五", u'申'}, Case{"十六", u'酉'}, Case{"三十", u'辰'}}) {
        birth(QStringLiteral("甲子"), QStringLiteral("正月"), QString::fromUtf8(c.day), u'子', true);
        surface.setCaption(Control::lblWXj, QStringLiteral("水二局"));
        for (int i = 0; i < chart::kStarSlotCount; ++i) surface.setCaption(Control::lblZX, i, QString());
        chart::PlaceZiWei(surface);
        EXPECT_EQ(core::gZiWeiPos, palaceOf(c.palace) + 1) << c.day << ": a branch number, not a palace index";
        EXPECT_EQ(palacesOf(QStringLiteral("紫微")), QList<int>{palaceOf(c.palace)}) << c.day;
    }
}

TEST_F(ChartSteps, ADayPastTheTablesIsReportedNotReadPastTheColumns) {
    for (const char* day : {"三一", "正月", ""}) {
        birth(QStringLiteral("甲子"), QStringLiteral("正月"), QString::fromUtf8(day), u'子', true);
        surface.setCaption(Control::lblWXj, QStringLiteral("水二局"));
        EXPECT_THROW(chart::PlaceZiWei(surface), vb::Error) << day;
    }
    birth(QStringLiteral("甲子"), QStringLiteral("正月"), QStringLiteral("三一"), u'子', true);
    EXPECT_FALSE(chart::RefreshChart(surface));
    ASSERT_EQ(surface.reportedFailures().size(), 1);
    EXPECT_TRUE(surface.reportedFailures().first().contains(QStringLiteral("三一"))) << s(surface.reportedFailures().first());
}

TEST_F(ChartSteps, StepsRecordThePositionsTheCountedStarsNeed) {
    // 甲子 year, 正月, hour 子: 文昌 戌, 文曲 辰, 左辅 辰, 右弼 戌, 禄存 寅; all palace indexes.
    birth(QStringLiteral("甲子"), QStringLiteral("正月"), QStringLiteral("初一"), u'子', true);
    chart::BuildChart(surface);
    EXPECT_EQ(core::gWenChangPos, 10);
    EXPECT_EQ(core::gWenQuPos, 4);
    EXPECT_EQ(core::gZuoFuPos, 4);
    EXPECT_EQ(core::gYouBiPos, 10);
    EXPECT_EQ(core::gLuCunPos, 2);
    // Day 1: 三台 with 左辅, 八座 with 右弼, 恩光 and 天贵 one palace before 文昌 and 文曲.
    EXPECT_EQ(palacesOf(QStringLiteral("三台")), QList<int>{4});
    EXPECT_EQ(palacesOf(QStringLiteral("八座")), QList<int>{10});
    EXPECT_EQ(palacesOf(QStringLiteral("恩光")), QList<int>{9});
    EXPECT_EQ(palacesOf(QStringLiteral("天贵")), QList<int>{3});
    // 博士 with 禄存, 力士 next forward for a yang man.
    EXPECT_EQ(s(surface.caption(Control::lblBSSES, 2)), "博士");
    EXPECT_EQ(s(surface.caption(Control::lblBSSES, 3)), "力士");
}

TEST_F(ChartSteps, CountedStarsWrapAroundTheRing) {
    birth(QStringLiteral("乙亥"), QStringLiteral("正月"), QStringLiteral("三十"), u'子', true);
    for (int i = 0; i < chart::kStarSlotCount; ++i) surface.setCaption(Control::lblZX, i, QString());
    core::gZuoFuPos = 11;
    core::gWenChangPos = 0;
    core::gWenQuPos = 11;
    core::gYouBiPos = 2;
    core::gShenPalace = 3;
    chart::PlaceDayStars(surface);
    chart::PlaceTianShou(surface);
    EXPECT_EQ(palacesOf(QStringLiteral("三台")), QList<int>{(11 + 29) % 12});
    EXPECT_EQ(palacesOf(QStringLiteral("恩光")), QList<int>{28 % 12});
    EXPECT_EQ(palacesOf(QStringLiteral("天贵")), QList<int>{(11 + 28) % 12});
    EXPECT_EQ(palacesOf(QStringLiteral("八座")), QList<int>{9}) << "(2 − 30 + 1) mod 12 is 酉";
    EXPECT_EQ(palacesOf(QStringLiteral("天寿")), QList<int>{2}) << "year 亥: the palace just before the body palace";
}

TEST_F(ChangedRules, APalaceNameThatNoPalaceShowsPlacesNothing) {
    // A second row after 天才 whose cell for 子 years names no palace.
    execute(QStringLiteral("INSERT INTO KAZHIXIZHX17_2 (y,a,b,c,d,e,f,g,h,i,j,k,l) "
                           "VALUES ('天X','无名','父母','福德','田宅','官禄','交友','迁移','疾厄','财帛','子女','夫妻','兄弟')"));
    birth(QStringLiteral("甲子"), QStringLiteral("正月"), QStringLiteral("初一"), u'子', true);
    chart::BuildChart(surface);
    EXPECT_EQ(palacesOf(QStringLiteral("天才")), QList<int>{core::gMingPalace}) << "子 year: 天才 in the life palace";
    EXPECT_TRUE(palacesOf(QStringLiteral("天X")).isEmpty()) << "not in the previous row's palace";
    // The same row for a 丑 year names 父母 and is placed there.
    birth(QStringLiteral("乙丑"), QStringLiteral("正月"), QStringLiteral("初一"), u'子', true);
    chart::BuildChart(surface);
    EXPECT_EQ(palacesOf(QStringLiteral("天X")), QList<int>{(core::gMingPalace + 1) % 12});
}

TEST_F(ChartSteps, VoidAndDouJunMarksOfAnEarlierChartAreEmptied) {
    birth(QStringLiteral("甲子"), QStringLiteral("正月"), QStringLiteral("初一"), u'子', true);
    chart::BuildChart(surface);
    // 甲子 decade: 戌 旬中, 亥 空亡. 斗君 of hour 子, 正月: 戌.
    QStringList expected(12);
    expected[10] = QStringLiteral("旬中");
    expected[11] = QStringLiteral("空亡");
    EXPECT_EQ(captions(Control::lblXK), s(expected.join(u'|')));
    EXPECT_EQ(s(surface.caption(Control::lblZNDJ, 10)), "子年斗君");
    EXPECT_EQ(surface.foreColor(Control::lblXK, 10), 0x004000u);
    EXPECT_EQ(surface.foreColor(Control::lblZNDJ, 10), 0x80000001u);

    // 丙子 belongs to the 甲戌 decade: 申 旬中, 酉 空亡.
    birth(QStringLiteral("丙子"), QStringLiteral("三月"), QStringLiteral("初一"), u'丑', true);
    chart::BuildChart(surface);
    QStringList second(12);
    second[8] = QStringLiteral("旬中");
    second[9] = QStringLiteral("空亡");
    EXPECT_EQ(captions(Control::lblXK), s(second.join(u'|')));
    EXPECT_EQ(surface.foreColor(Control::lblXK, 10), 0xFFFFFFu);
    // Hour 丑, 三月: from 戌 back to 申, then one forward: 酉.
    QStringList douJun(12);
    douJun[9] = QStringLiteral("子年斗君");
    EXPECT_EQ(captions(Control::lblZNDJ), s(douJun.join(u'|')));
}

TEST_F(ChartSteps, CyclesWithoutAColumnEndTheirStepCleanly) {
    birth(QStringLiteral("甲子"), QStringLiteral("正月"), QStringLiteral("初一"), u'子', true);
    chart::BuildChart(surface);
    const std::string stages = captions(Control::lblZSMJ), periods = captions(Control::lblDX), minor = captions(Control::lblXX);

    surface.setCaption(Control::lblWXj, QStringLiteral("水一局"));
    EXPECT_NO_THROW(chart::PlaceChangSheng(surface));
    EXPECT_NO_THROW(chart::PlaceDaXian(surface));
    EXPECT_EQ(captions(Control::lblZSMJ), stages);
    EXPECT_EQ(captions(Control::lblDX), periods);

    // A birth caption without stem or branch: no direction and no year group.
    surface.setCaption(Control::lblCHUsh, QStringLiteral("？"));
    surface.setCaption(Control::lblWXj, QStringLiteral("水二局"));
    EXPECT_NO_THROW(chart::PlaceChangSheng(surface));
    EXPECT_NO_THROW(chart::PlaceDaXian(surface));
    EXPECT_NO_THROW(chart::PlaceXiaoXian(surface));
    EXPECT_NO_THROW(chart::PlaceBoShi(surface));
    EXPECT_EQ(captions(Control::lblZSMJ), stages);
    EXPECT_EQ(captions(Control::lblXX), minor);
}

TEST_F(ChartSteps, MajorAndMinorPeriodsFollowBureauDirectionAndSex) {
    struct Case {
        const char* year;
        bool male;
        const char* lifeText;    // major period of the life palace
        const char* nextText;    // of the palace after it (rising index)
        const char* beforeText;  // of the palace before it
    };
    // Bureau 水二局 by its table; 阳男 forward, 阳女 backward.
    for (const Case& c : {Case{"甲子", true, "2-11", "12-21", "112-121"}, Case{"甲子", false, "2-11", "112-121", "12-21"},
                          Case{"乙丑", true, "2-11", "112-121", "12-21"}}) {
        birth(QString::fromUtf8(c.year), QStringLiteral("正月"), QStringLiteral("初一"), u'子', c.male);
        surface.setCaption(Control::lblWXj, QStringLiteral("水二局"));
        core::gMingPalace = 0;
        chart::PlaceDaXian(surface);
        EXPECT_EQ(s(surface.caption(Control::lblDX, 0)), c.lifeText) << c.year << c.male;
        EXPECT_EQ(s(surface.caption(Control::lblDX, 1)), c.nextText) << c.year << c.male;
        EXPECT_EQ(s(surface.caption(Control::lblDX, 11)), c.beforeText) << c.year << c.male;
    }
    // Year 亥 (亥卯未: age 1 at 丑), male: 丑 shows 亥, 寅 shows 子, 子 shows 戌.
    birth(QStringLiteral("乙亥"), QStringLiteral("正月"), QStringLiteral("初一"), u'子', true);
    chart::PlaceXiaoXian(surface);
    EXPECT_EQ(s(surface.caption(Control::lblXX, 1)), "亥");
    EXPECT_EQ(s(surface.caption(Control::lblXX, 2)), "子");
    EXPECT_EQ(s(surface.caption(Control::lblXX, 0)), "戌");
}

TEST_F(ChartSteps, ASecondBuildKeepsNothingOfTheFirst) {
    chart::MemoryChartSurface once;
    birth(once, QStringLiteral("丁巳"), QStringLiteral("八月"), QStringLiteral("廿二"), u'酉', false);
    chart::BuildChart(once);

    birth(QStringLiteral("甲子"), QStringLiteral("正月"), QStringLiteral("初一"), u'子', true);
    chart::BuildChart(surface);
    birth(QStringLiteral("丁巳"), QStringLiteral("八月"), QStringLiteral("廿二"), u'酉', false);
    chart::BuildChart(surface);
    for (int c = 0; c < chart::kControlCount; ++c) {
        const auto control = static_cast<Control>(c);
        const auto& info = chart::controlInfo(control);
        for (int i = info.firstIndex; i < info.firstIndex + info.count; ++i) {
            const QString caption = info.isArray ? surface.caption(control, i) : surface.caption(control);
            const QString expected = info.isArray ? once.caption(control, i) : once.caption(control);
            EXPECT_EQ(s(caption), s(expected)) << info.name << "(" << i << ")";
            // An empty label shows no colour; a 不 keeps the colour its slot had.
            if (caption.isEmpty() || caption == u"不") continue;
            EXPECT_EQ(info.isArray ? surface.foreColor(control, i) : surface.foreColor(control),
                      info.isArray ? once.foreColor(control, i) : once.foreColor(control))
                << info.name << "(" << i << ")";
        }
    }
}

}  // namespace
