// Placing stars and transformation rows into the palace cells, and the brightness and transformation
// lookups behind them.
#include "chart/birth_inputs.h"
#include "chart/memory_chart_surface.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "platform/vb/error.h"
#include "tests/chart/rule_db_fixture.h"

#include <gtest/gtest.h>

namespace {

using chart::Control;
using chart::MemoryChartSurface;

QString slot(const MemoryChartSurface& c, int palace, int s) { return c.caption(Control::lblZX, chart::starSlot(palace, s)); }
chart::Colour slotColour(const MemoryChartSurface& c, int palace, int s) {
    return c.foreColor(Control::lblZX, chart::starSlot(palace, s));
}

TEST(PlaceStar, FillsTheThreeGroupsInTurnAndDropsTheNineteenth) {
    MemoryChartSurface c;
    for (int i = 1; i <= 19; ++i) chart::PlaceStar(c, 4, QStringLiteral("星%1").arg(i), "平");
    for (int s = 0; s < 6; ++s) {
        EXPECT_EQ(slot(c, 4, s), QStringLiteral("星%1").arg(s + 1));
        EXPECT_EQ(slot(c, 4, s + 6), "平");
        EXPECT_EQ(slot(c, 4, s + 12), QStringLiteral("星%1").arg(s + 7));
        EXPECT_EQ(slot(c, 4, s + 18), "平");
        EXPECT_EQ(slot(c, 4, s + 24), QStringLiteral("星%1").arg(s + 13)) << "the thirteenth star and on are kept";
        EXPECT_EQ(slot(c, 4, s + 30), "平");
    }
    // The first 288 elements keep their numbering; the third group lies beyond them.
    EXPECT_EQ(c.caption(Control::lblZX, 4 * 24 + 12), "星7");
    EXPECT_EQ(c.caption(Control::lblZX, 288 + 4 * 12), "星13");
    for (int p : {3, 5})
        for (int s = 0; s < chart::kAllSlotsPerPalace; ++s) EXPECT_EQ(slot(c, p, s), "") << "neighbouring palaces untouched";
}

TEST(PlaceStar, PalaceOutsideTheChartPlacesNothing) {
    MemoryChartSurface c;
    EXPECT_NO_THROW(chart::PlaceStar(c, -1, "紫微", "庙"));
    EXPECT_NO_THROW(chart::PlaceStar(c, 12, "紫微", "庙"));
    for (int i = 0; i < chart::kStarSlotCount; ++i) EXPECT_EQ(c.caption(Control::lblZX, i), "");
}

struct Colouring {
    const char* star;
    const char* brightness;
    chart::Colour name;
    chart::Colour word;  // kKept: the colour the slot had
};

constexpr chart::Colour kKept = 0x123456;

class PlaceStarColours : public ::testing::TestWithParam<Colouring> {};

TEST_P(PlaceStarColours, ColoursTheNameByTheListAndTheWordByItsGrade) {
    const Colouring& k = GetParam();
    MemoryChartSurface c;
    c.setForeColor(Control::lblZX, 7 * 24 + 6, kKept);
    chart::PlaceStar(c, 7, k.star, k.brightness);
    EXPECT_EQ(slot(c, 7, 0), k.star);
    EXPECT_EQ(slot(c, 7, 6), k.brightness);
    EXPECT_EQ(slotColour(c, 7, 0), k.name);
    EXPECT_EQ(slotColour(c, 7, 6), k.word);
}

INSTANTIATE_TEST_SUITE_P(Grades, PlaceStarColours,
                         ::testing::Values(Colouring{"紫微", "旺", 0x000080, 0x0000FF},
                                           Colouring{"巨门", "庙", 0x000080, 0x0000FF},
                                           Colouring{"天府", "得", 0x000080, 0x0000FF},
                                           Colouring{"天同", "平", 0x000080, 0xFF0000},
                                           Colouring{"天梁", "利", 0x000080, 0xFF0000},
                                           Colouring{"太阳", "陷", 0x000080, 0xFF0000},
                                           Colouring{"地空", "不", 0x000000, kKept},
                                           Colouring{"天刑", "", 0x000000, 0x80000009},
                                           Colouring{"化禄", "", 0x000080, 0x80000009}));

TEST(DarkRedStars, AreTheTwentyNineOfTheList) {
    int count = 0;
    for (const QString& s : QStringLiteral("紫微 左辅 武曲 右弼 文曲 文昌 陀罗 天钺 化权 化禄 化科 化忌 天相 天同 天梁 "
                                           "天魁 天机 天府 贪狼 太阴 太阳 擎羊 七杀 破军 禄存 铃星 廉贞 火星 巨门")
                                .split(' ')) {
        EXPECT_TRUE(chart::isDarkRedStar(s)) << s.toStdString();
        ++count;
    }
    EXPECT_EQ(count, 29);
    for (const char* s : {"天刑", "地空", "地劫", "天马", "截路", "紫微 ", ""}) EXPECT_FALSE(chart::isDarkRedStar(s)) << s;
}

class Lookups : public charttest::RuleDbFixture {
protected:
    void yearOf(const char* pillar) { chart::SetBirthCaptions(c_, 0, pillar, "正月", "初一", "子"); }
    MemoryChartSurface c_;
};

TEST_F(Lookups, BrightnessIsTheGradeThatListsThePalacesBranch) {
    EXPECT_EQ(chart::LookupBrightness("紫微", 6), "庙");
    EXPECT_EQ(chart::LookupBrightness("紫微", 0), "平");
    EXPECT_EQ(chart::LookupBrightness("天梁", 8), "陷");
    EXPECT_EQ(chart::LookupBrightness("禄存", 1), "") << "a branch the star is not graded at";
    EXPECT_EQ(chart::LookupBrightness("天刑", 1), "") << "a star without a row";
    EXPECT_EQ(chart::LookupBrightness("紫微", -1), "");
}

TEST_F(Lookups, BranchListedUnderTwoGradesTakesTheLaterColumn) {
    execute({"INSERT INTO XMiao99 VALUES ('试星', 'x子丑', '', '', '', '', '', '子')"});
    EXPECT_EQ(chart::LookupBrightness("试星", 0), "陷");
    EXPECT_EQ(chart::LookupBrightness("试星", 1), "庙");
    EXPECT_EQ(chart::LookupBrightness("试星", 2), "") << "characters that are no branch match nothing";
}

TEST_F(Lookups, TransformationWordOfTheStarForTheYearStem) {
    yearOf("甲子");
    EXPECT_EQ(chart::LookupSiHua(c_, "廉贞"), "化禄");
    EXPECT_EQ(chart::LookupSiHua(c_, "太阳"), "化忌");
    EXPECT_EQ(chart::LookupSiHua(c_, "紫微"), "");
    yearOf("癸亥");
    EXPECT_EQ(chart::LookupSiHua(c_, "贪狼"), "化忌") << "the last stem reads column j";
    EXPECT_EQ(chart::LookupSiHua(c_, "破军"), "化禄");
    yearOf("戊辰");
    EXPECT_EQ(chart::LookupSiHua(c_, "右弼"), "化科");
}

TEST_F(Lookups, TwoRowsNamingTheStarTheFirstInTableOrderWins) {
    execute({"UPDATE GanXiZx15_2 SET a='太阳' WHERE s='化权'"});
    yearOf("甲子");
    EXPECT_EQ(chart::LookupSiHua(c_, "太阳"), "化权");
}

TEST_F(Lookups, YearStemThatIsNoStemFailsTheTransformationLookup) {
    chart::SetBirthCaptions(c_, 0, "子子", "正月", "初一", "子");
    try {
        chart::LookupSiHua(c_, "廉贞");
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::kInvalidProcedureCall);
    }
}

TEST_F(Lookups, StarPatternPlacesTheStarAndItsTransformationRow) {
    yearOf("甲子");
    chart::PlaceStarWithSiHua(c_, 2, "廉贞");  // 廉贞 庙 in 寅, 化禄 for 甲
    chart::PlaceStarWithSiHua(c_, 2, "天刑");
    chart::PlaceStarAtBranch(c_, "戌", "太阳");  // 不 in 戌, 化忌 for 甲
    chart::PlaceStarAtBranch(c_, "?", "武曲");   // no branch: nothing
    EXPECT_EQ(slot(c_, 2, 0), "廉贞");
    EXPECT_EQ(slot(c_, 2, 6), "庙");
    EXPECT_EQ(slotColour(c_, 2, 6), 0x0000FFu);
    EXPECT_EQ(slot(c_, 2, 1), "天刑");
    EXPECT_EQ(slot(c_, 2, 7), "");
    EXPECT_EQ(slotColour(c_, 2, 7), 0x80000009u);
    EXPECT_EQ(slot(c_, 10, 0), "太阳");
    EXPECT_EQ(slot(c_, 10, 6), "不");
    QStringList table;
    for (int i = 0; i < 12; ++i) table << c_.caption(Control::lBlxh, i);
    EXPECT_EQ(table.join('|'), "廉贞|太阳|||化禄|化忌|||庙|不||");
    for (int i = 0; i < chart::kStarSlotCount; ++i)
        if (c_.caption(Control::lblZX, i) == "武曲") ADD_FAILURE() << "placed at slot " << i;
}

TEST_F(Lookups, FifthTransformationRowIsDropped) {
    const char* stars[] = {"天机", "天梁", "紫微", "太阴", "武曲"};
    for (int i = 0; i < 5; ++i) chart::PlaceSiHua(c_, i, stars[i], "化科");
    EXPECT_EQ(c_.caption(Control::lBlxh, 0), "天机");
    EXPECT_EQ(c_.caption(Control::lBlxh, 3), "太阴");
    EXPECT_EQ(c_.caption(Control::lBlxh, 7), "化科");
    EXPECT_EQ(c_.caption(Control::lBlxh, 8), "庙") << "天机 in 子";
    EXPECT_EQ(c_.caption(Control::lBlxh, 11), "陷") << "太阴 in 卯";
}

TEST(RowStrings, MidCountsFromOneAndRefusesAStartBeforeIt) {
    EXPECT_EQ(chart::mid("子丑寅", 1), "子");
    EXPECT_EQ(chart::mid("子丑寅", 3, 2), "寅");
    EXPECT_EQ(chart::mid("子丑寅", 4), "");
    EXPECT_EQ(chart::cell("水二局木三局", 2, 3), "木三局");
    EXPECT_THROW(chart::mid("子丑寅", 0), vb::Error);
    EXPECT_EQ(chart::palaceOfBranch("亥"), 11);
    EXPECT_EQ(chart::palaceOfBranch("子 "), -1);
    EXPECT_EQ(chart::quoted("a'b"), "'a''b'");
}

TEST(Surface, ElementsOutsideAControlRaise340) {
    MemoryChartSurface c;
    auto number = [](auto f) {
        try {
            f();
        } catch (const vb::Error& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(number([&] { c.setCaption(Control::lblSEG, -1, "命宫"); }), 340);
    EXPECT_EQ(number([&] { c.setCaption(Control::lblZX, 432, "x"); }), 340);
    EXPECT_EQ(number([&] { c.caption(Control::Label2, 0); }), 340);
    EXPECT_EQ(number([&] { c.cellOrigin(12); }), 340);
    EXPECT_EQ(number([&] { c.caption(Control::lblZX); }), 343);
    EXPECT_EQ(number([&] { c.caption(Control::Label2, 1); }), 0);
}

}  // namespace
