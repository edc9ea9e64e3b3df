// The chart builder against charts worked by hand from the rules (安命身宫, 五行局 from the 纳音 of the
// life palace, the palaces named backward from 命宫, 五虎遁 palace stems), on the rule database of the
// build; and its failures and resets on a rule database of the test's own.
#include "calendar/calendar_engine.h"
#include "chart/birth_inputs.h"
#include "chart/chart_builder.h"
#include "chart/memory_chart_surface.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "core/globals.h"
#include "tests/chart/rule_db_fixture.h"

#include <gtest/gtest.h>

namespace {

using chart::Control;
using chart::MemoryChartSurface;

QString palaceNames(const MemoryChartSurface& c) {
    QStringList names;
    for (int p = 0; p < 12; ++p) names << c.caption(Control::lblSEG, p);
    return names.join(' ');
}

QString palaceStems(const MemoryChartSurface& c) {
    QString stems;
    for (int p = 0; p < 12; ++p) stems += c.caption(Control::lblSEGtg, p);
    return stems;
}

struct HandChart {
    const char* year;
    const char* month;
    const char* day;
    const char* hour;
    int life;
    int body;
    const char* bureau;
    const char* names;  // palaces 子 … 亥
    const char* stems;  // palaces 子 … 亥
    int wealth, career, travel;
};

// Worked by hand. 甲子 正月 子时: 正月 at 寅, the hour 子 keeps both there; 甲 gives 丙寅, 炉中火.
// 丁卯 正月 卯时: back three to 亥, forward three to 巳; 丁 gives 壬寅 … 辛亥, 钗钏金.
// 庚午 五月 午时: 五月 at 午, six back and forward both reach 子; 戊子 霹雳火.
// 乙丑 三月 戌时: 三月 at 辰, ten back to 午, ten on to 寅; 壬午 杨柳木.
// 己巳 冬月 午时: 冬月 at 子, six to 午 both ways; 庚午 路旁土.
// 癸亥 腊月 亥时: 腊月 at 丑, eleven back to 寅, eleven on to 子; 甲寅 大溪水.
const HandChart kHandCharts[] = {
    {"甲子", "正月", "初一", "子", 2, 2, "火六局", "夫妻 兄弟 命宫 父母 福德 田宅 官禄 交友 迁移 疾厄 财帛 子女",
     "丙丁丙丁戊己庚辛壬癸甲乙", 10, 6, 8},
    {"丁卯", "正月", "十五", "卯", 11, 5, "金四局", "父母 福德 田宅 官禄 交友 迁移 疾厄 财帛 子女 夫妻 兄弟 命宫",
     "壬癸壬癸甲乙丙丁戊己庚辛", 7, 3, 5},
    {"庚午", "五月", "十五", "午", 0, 0, "火六局", "命宫 父母 福德 田宅 官禄 交友 迁移 疾厄 财帛 子女 夫妻 兄弟",
     "戊己戊己庚辛壬癸甲乙丙丁", 8, 4, 6},
    {"乙丑", "三月", "初八", "戌", 6, 2, "木三局", "迁移 疾厄 财帛 子女 夫妻 兄弟 命宫 父母 福德 田宅 官禄 交友",
     "戊己戊己庚辛壬癸甲乙丙丁", 2, 10, 0},
    {"己巳", "冬月", "廿二", "午", 6, 6, "土五局", "迁移 疾厄 财帛 子女 夫妻 兄弟 命宫 父母 福德 田宅 官禄 交友",
     "丙丁丙丁戊己庚辛壬癸甲乙", 2, 10, 0},
    {"癸亥", "腊月", "三十", "亥", 2, 0, "水二局", "夫妻 兄弟 命宫 父母 福德 田宅 官禄 交友 迁移 疾厄 财帛 子女",
     "甲乙甲乙丙丁戊己庚辛壬癸", 10, 6, 8},
};

class HandWorkedChart : public ::testing::TestWithParam<HandChart> {
protected:
    void SetUp() override { core::setRuleDatabasePath(QString()); }  // the build's own rule database
};

TEST_P(HandWorkedChart, FindsPalacesBureauNamesAndStems) {
    const HandChart& h = GetParam();
    MemoryChartSurface c;
    chart::SetBirthCaptions(c, 0, h.year, h.month, h.day, h.hour);
    ASSERT_TRUE(chart::RefreshChart(c)) << c.reportedFailures().join('\n').toStdString();

    EXPECT_EQ(core::gMingPalace, h.life);
    EXPECT_EQ(core::gShenPalace, h.body);
    EXPECT_EQ(c.caption(Control::lblWXj), h.bureau);
    EXPECT_EQ(palaceNames(c), h.names);
    EXPECT_EQ(palaceStems(c), h.stems);
    EXPECT_EQ(core::gWealthPalace, h.wealth);
    EXPECT_EQ(core::gCareerPalace, h.career);
    EXPECT_EQ(core::gTravelPalace, h.travel);

    // The life palace's name in blue, the others in brown; the body mark alone in its palace.
    for (int p = 0; p < 12; ++p) {
        EXPECT_EQ(c.foreColor(Control::lblSEG, p), p == h.life ? 0xFF0000u : 0x004080u) << p;
        EXPECT_EQ(c.caption(Control::lblSG, p), p == h.body ? "身宫" : "") << p;
        EXPECT_EQ(c.foreColor(Control::lblSG, p), p == h.body ? 0xC000C0u : 0x800080u) << p;
        EXPECT_EQ(c.foreColor(Control::lblXX, p), 0x800080u) << p;
    }
    EXPECT_EQ(c.caption(Control::lblWho), "姓名：");
    EXPECT_EQ(c.caption(Control::lblmingzhu), "命主：");
    EXPECT_EQ(c.caption(Control::lblshenzhu), "身主：");
    EXPECT_TRUE(c.reportedFailures().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Charts, HandWorkedChart, ::testing::ValuesIn(kHandCharts),
                         [](const ::testing::TestParamInfo<HandChart>& info) {
                             return "chart" + std::to_string(info.index);
                         });

// The first stars of a palace, name and brightness, as "紫微平 贪狼利".
QString firstStars(const MemoryChartSurface& c, int palace, int count) {
    QStringList stars;
    for (int s = 0; s < count; ++s)
        stars << c.caption(Control::lblZX, palace * 24 + s) + c.caption(Control::lblZX, palace * 24 + s + 6);
    return stars.join(' ');
}

// 甲子 正月 初一 子时, 火六局: 紫微 on day 1 of bureau six stands at 酉 (one palace, five back from 寅);
// 天府 mirrors it at 未. 甲 gives 廉贞 化禄, 破军 化权, 武曲 化科, 太阳 化忌, each with its brightness.
TEST(ChartBuilder, GradesTheMajorStarsAndListsTheFourTransformations) {
    core::setRuleDatabasePath(QString());
    MemoryChartSurface c;
    chart::SetBirthCaptions(c, 0, "甲子", "正月", "初一", "子");
    core::gIsMale = true;
    ASSERT_TRUE(chart::RefreshChart(c)) << c.reportedFailures().join('\n').toStdString();
    EXPECT_EQ(firstStars(c, 9, 2), "紫微平 贪狼利");
    EXPECT_EQ(firstStars(c, 7, 1), "天府庙");
    EXPECT_EQ(firstStars(c, 6, 1), "太阳旺");
    EXPECT_EQ(firstStars(c, 5, 2), "武曲平 破军平");
    EXPECT_EQ(firstStars(c, 1, 2), "廉贞利 七杀庙");
    EXPECT_EQ(firstStars(c, 0, 1), "天梁庙");
    EXPECT_EQ(c.foreColor(Control::lblZX, 9 * 24), 0x000080u);
    EXPECT_EQ(c.foreColor(Control::lblZX, 9 * 24 + 6), 0xFF0000u) << "平 in blue";
    EXPECT_EQ(c.foreColor(Control::lblZX, 6 * 24 + 6), 0x0000FFu) << "旺 in red";
    QStringList rows;
    for (int r = 0; r < 4; ++r)
        rows << c.caption(Control::lBlxh, r) + c.caption(Control::lBlxh, r + 4) + c.caption(Control::lBlxh, r + 8);
    EXPECT_EQ(rows.join(' '), "太阳化忌旺 武曲化科平 廉贞化禄利 破军化权平") << "in the order the stars are placed";
}

TEST(ChartBuilder, JoinsTheLifePalaceWithItsWealthCareerAndTravelPalaces) {
    core::setRuleDatabasePath(QString());
    MemoryChartSurface c;
    // Cells at odd places, so that a line end is the cell's Left/Top plus its anchor and nothing else.
    for (int p = 0; p < 12; ++p) c.setCellGeometry(p, {1000.0f * p, 10.5f * p}, {7.0f, 3.25f * p});
    chart::SetBirthCaptions(c, 0, "甲子", "正月", "初一", "子");  // life 寅, wealth 戌, career 午, travel 申
    ASSERT_TRUE(chart::RefreshChart(c));
    auto anchor = [](int p) { return chart::PointF{1000.0f * p + 7.0f, 10.5f * p + 3.25f * p}; };
    using chart::JoinLine;
    EXPECT_EQ(c.joinLine(JoinLine::lineM2G), (chart::LineState{0x0000FF, anchor(2), anchor(6)}));
    EXPECT_EQ(c.joinLine(JoinLine::LineM2C), (chart::LineState{0x0000FF, anchor(2), anchor(10)}));
    EXPECT_EQ(c.joinLine(JoinLine::LineM2Q), (chart::LineState{0x0000FF, anchor(2), anchor(8)}));
    EXPECT_EQ(c.joinLine(JoinLine::LineC2G), (chart::LineState{0x0000FF, anchor(10), anchor(6)}));
}

// Every caption of the chart, control by control.
QStringList captionsOf(const MemoryChartSurface& c) {
    QStringList all;
    for (int k = 0; k < chart::kControlCount; ++k) {
        const auto control = static_cast<Control>(k);
        const chart::ControlInfo& info = chart::controlInfo(control);
        for (int i = info.firstIndex; i < info.firstIndex + info.count; ++i)
            all << QStringLiteral("%1(%2)=%3").arg(QLatin1String(info.name)).arg(i).arg(
                       info.isArray ? c.caption(control, i) : c.caption(control));
    }
    return all;
}

QStringList freshChart(const char* year, const char* month, const char* day, const char* hour, bool male) {
    MemoryChartSurface fresh;
    chart::SetBirthCaptions(fresh, 0, year, month, day, hour);
    core::gIsMale = male;
    EXPECT_TRUE(chart::RefreshChart(fresh));
    return captionsOf(fresh);
}

TEST(ChartBuilder, SecondBuildShowsNothingOfTheFirst) {
    core::setRuleDatabasePath(QString());
    const QStringList expected = freshChart("乙丑", "三月", "初八", "戌", false);
    MemoryChartSurface c;
    chart::SetBirthCaptions(c, 0, "庚午", "五月", "十五", "午");
    core::gIsMale = true;
    ASSERT_TRUE(chart::RefreshChart(c));
    chart::SetBirthCaptions(c, 0, "乙丑", "三月", "初八", "戌");
    core::gIsMale = false;
    ASSERT_TRUE(chart::RefreshChart(c));
    EXPECT_EQ(captionsOf(c), expected);
    EXPECT_EQ(c.foreColor(Control::lblSEG, 0), 0x004080u) << "the first chart's life palace is no longer blue";
}

TEST(ChartBuilder, RunsItsStepsInTheFixedOrder) {
    QStringList order;
    for (const chart::ChartStep& s : chart::chartSteps()) order << QString::fromLatin1(s.number);
    EXPECT_EQ(order.join(' '), "4 5 8 9 10 11 12_1 12_2 12_3 13 15_1 17_1 17_2 21 19 27 25 26 14 17_3 18 16 23 20 24 22");
    EXPECT_STREQ(chart::chartSteps()[0].name, "FillPalaceNames");
    EXPECT_STREQ(chart::chartSteps()[25].name, "SetMingZhuShenZhu");
}

class ChartBuilderOnOwnRules : public charttest::RuleDbFixture {};

TEST_F(ChartBuilderOnOwnRules, MonthWithoutARowFailsOnceAndTheNextBuildStartsClean) {
    MemoryChartSurface c;
    chart::SetBirthCaptions(c, 0, "甲子", "正月", "初一", "子");
    ASSERT_TRUE(chart::RefreshChart(c));
    chart::PlaceStar(c, 2, "紫微", "旺");

    chart::SetBirthCaptions(c, 0, "甲子", "闰月", "初一", "子");  // no row for 闰
    EXPECT_FALSE(chart::RefreshChart(c));
    ASSERT_EQ(c.reportedFailures().size(), 1);
    EXPECT_TRUE(c.reportedFailures()[0].contains("3021")) << c.reportedFailures()[0].toStdString();
    EXPECT_EQ(c.caption(Control::lblZX, 2 * 24), "") << "a failed build shows nothing of the chart before";
    EXPECT_EQ(c.caption(Control::lblWXj), "");

    const QStringList expected = freshChart("丁卯", "正月", "十五", "卯", true);
    chart::SetBirthCaptions(c, 0, "丁卯", "正月", "十五", "卯");
    EXPECT_TRUE(chart::RefreshChart(c));
    EXPECT_EQ(c.reportedFailures().size(), 1);
    EXPECT_EQ(captionsOf(c), expected);
}

TEST_F(ChartBuilderOnOwnRules, HourCaptionWithoutABranchFailsTheBuild) {
    MemoryChartSurface c;
    chart::SetBirthCaptions(c, 0, "甲子", "正月", "初一", "子");
    c.setCaption(Control::Label17, "时");
    EXPECT_FALSE(chart::RefreshChart(c));
    ASSERT_EQ(c.reportedFailures().size(), 1);
    EXPECT_TRUE(c.reportedFailures()[0].contains("340")) << c.reportedFailures()[0].toStdString();
}

TEST_F(ChartBuilderOnOwnRules, YearStemWithoutAStemRowLeavesThePalaceStemsEmpty) {
    execute({"DELETE FROM Cdsegtgb WHERE n='甲'"});
    MemoryChartSurface c;
    chart::SetBirthCaptions(c, 0, "乙丑", "三月", "初八", "戌");
    ASSERT_TRUE(chart::RefreshChart(c));
    EXPECT_EQ(palaceStems(c), "戊己戊己庚辛壬癸甲乙丙丁");
    chart::SetBirthCaptions(c, 0, "甲子", "正月", "初一", "子");
    ASSERT_TRUE(chart::RefreshChart(c));
    EXPECT_EQ(palaceStems(c), "") << "no stems of the chart before";
}

TEST_F(ChartBuilderOnOwnRules, PalaceNameRowWhoseCellIsNoBranchIsLeftOut) {
    execute({"UPDATE Bdseg SET c='?' WHERE s='兄弟'"});
    MemoryChartSurface c;
    chart::SetBirthCaptions(c, 0, "甲子", "正月", "初一", "子");  // life 寅: the column c
    ASSERT_TRUE(chart::RefreshChart(c)) << c.reportedFailures().join('\n').toStdString();
    EXPECT_EQ(palaceNames(c), "夫妻  命宫 父母 福德 田宅 官禄 交友 迁移 疾厄 财帛 子女") << "兄弟 would have gone to 丑";
    EXPECT_EQ(core::gWealthPalace, 10);
}

// A birth in a leap month is charted as the month that follows it: the lunar description of every
// day of 闰四月 2020 (2020-05-23 … 06-20) names 五月, and the chart built from it is the 五月 chart
// (for the hour 子: life and body at 午), not the 四月 one (at 巳).
TEST(LeapMonthBirth, IsChartedAsTheFollowingMonth) {
    core::setRuleDatabasePath(QString());
    const auto lifeOf = [](const QString& month) {
        MemoryChartSurface c;
        chart::SetBirthCaptions(c, 2020, QStringLiteral("庚子"), month, QStringLiteral("初一"), QStringLiteral("子"));
        EXPECT_TRUE(chart::RefreshChart(c)) << c.reportedFailures().join('\n').toStdString();
        return core::gMingPalace;
    };
    ASSERT_EQ(lifeOf(QStringLiteral("五月")), 6);
    ASSERT_EQ(lifeOf(QStringLiteral("四月")), 5);
    for (const QDate& day : {QDate(2020, 5, 23), QDate(2020, 6, 20)}) {
        calendar::MemoryCalendarHost host;
        calendar::CalendarEngine engine(host);
        const vb::Date d = vb::Date::fromQDate(day);
        engine.LoadCalendarRows(d);
        engine.LunarDateText();
        const QString month = engine.SolarToLunar(d).mid(3, 2);
        EXPECT_EQ(month, QStringLiteral("五月")) << day.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(lifeOf(month), 6) << day.toString(Qt::ISODate).toStdString();
    }
}

}  // namespace
