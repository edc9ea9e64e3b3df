// The Four Pillars lookups of the chart window, member by member, known and unknown input alike.
#include "windows/four_pillars.h"

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <climits>

namespace {

using namespace fourpillars;

const QString kBranches = QStringLiteral("子丑寅卯辰巳午未申酉戌亥");
const QString kStems = QStringLiteral("甲乙丙丁戊己庚辛壬癸");

// Texts that no table of the library holds: near misses of real entries and plain junk.
const QStringList kUnknownTexts{"", " ", "子 ", " 子", "甲子 ", "x", "零", "子丑", "甲丑", "乙子", "甲 ",
                                "子子", "雨水", "正月", "十三", "Ｏ", "〇"};

TEST(FourPillars, HiddenStemsAndWeightsOfEveryBranch) {
    struct Row {
        const char* branch;
        const char* stems;
        const char* weights;
    };
    const Row rows[] = {{"子", "癸", "1.0"},          {"丑", "癸辛己", "0.30.20.5"}, {"寅", "甲丙戊", "0.70.20.1"},
                        {"卯", "乙", "1.0"},          {"辰", "乙戊癸", "0.30.50.2"}, {"巳", "庚丙戊", "0.10.70.2"},
                        {"午", "己丁", "0.30.7"},     {"未", "乙己丁", "0.20.50.3"}, {"申", "戊庚壬", "0.10.70.2"},
                        {"酉", "辛", "1.0"},          {"戌", "辛丁戊", "0.30.20.5"}, {"亥", "甲壬", "0.30.7"}};
    for (const Row& r : rows) {
        EXPECT_EQ(DiZhiDunChang(r.branch), r.stems) << r.branch;
        EXPECT_EQ(Wangdu(r.branch), r.weights) << r.branch;
        // One three-character weight per hidden stem, and they make up the whole branch.
        const QString w = Wangdu(r.branch);
        ASSERT_EQ(w.size(), 3 * DiZhiDunChang(r.branch).size()) << r.branch;
        double sum = 0;
        for (int i = 0; i < w.size(); i += 3) sum += w.mid(i, 3).toDouble();
        EXPECT_NEAR(sum, 1.0, 1e-9) << r.branch;
    }
    for (const QString& t : kUnknownTexts) {
        EXPECT_EQ(DiZhiDunChang(t), "") << t.toStdString();
        EXPECT_EQ(Wangdu(t), "") << t.toStdString();
    }
}

TEST(FourPillars, TwelveStagesOfEveryStem) {
    // Each stem's cycle read along 子 … 亥.
    struct Row {
        const char* stem;
        const char* stages;  // the stage at 子, 丑 … 亥, space-separated
    };
    const Row rows[] = {
        {"甲", "沐浴 冠带 临官 帝旺 衰 病 死 墓 绝 胎 养 长生"},
        {"乙", "病 衰 帝旺 临官 冠带 沐浴 长生 养 胎 绝 墓 死"},
        {"丙", "胎 养 长生 沐浴 冠带 临官 帝旺 衰 病 死 墓 绝"},
        {"丁", "绝 墓 死 病 衰 帝旺 临官 冠带 沐浴 长生 养 胎"},
        {"戊", "胎 养 长生 沐浴 冠带 临官 帝旺 衰 病 死 墓 绝"},
        {"己", "绝 墓 死 病 衰 帝旺 临官 冠带 沐浴 长生 养 胎"},
        {"庚", "死 墓 绝 胎 养 长生 沐浴 冠带 临官 帝旺 衰 病"},
        {"辛", "长生 养 胎 绝 墓 死 病 衰 帝旺 临官 冠带 沐浴"},
        {"壬", "帝旺 衰 病 死 墓 绝 胎 养 长生 沐浴 冠带 临官"},
        {"癸", "临官 冠带 沐浴 长生 养 胎 绝 墓 死 病 衰 帝旺"},
    };
    for (const Row& r : rows) {
        const QStringList stages = QString(r.stages).split(' ');
        ASSERT_EQ(stages.size(), 12);
        for (int b = 0; b < 12; ++b)
            EXPECT_EQ(TwelveStageName(r.stem, kBranches.mid(b, 1)), stages[b]) << r.stem << " at " << b;
    }
    for (const QString& t : kUnknownTexts) {
        EXPECT_EQ(TwelveStageName(t, "子"), "") << t.toStdString();
        EXPECT_EQ(TwelveStageName("甲", t), "") << t.toStdString();
    }
}

TEST(FourPillars, NumbersAndNamesOfStemsAndBranches) {
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(XuHaoToTianGuan(static_cast<int16_t>(n)), kStems.mid(n - 1, 1));
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(XuHaoToDiZhi(static_cast<int16_t>(n)), kBranches.mid(n - 1, 1));
        EXPECT_EQ(DiZhiToXuHao(kBranches.mid(n - 1, 1)), n);
    }
    for (int16_t n : {int16_t(0), int16_t(-1), int16_t(11), int16_t(13), int16_t(SHRT_MIN), int16_t(SHRT_MAX)}) {
        EXPECT_EQ(XuHaoToTianGuan(n), "") << n;
        if (n != 11) {
            EXPECT_EQ(XuHaoToDiZhi(n), "") << n;
        }
    }
    for (const QString& t : kUnknownTexts) EXPECT_EQ(DiZhiToXuHao(t), 0) << t.toStdString();
}

TEST(FourPillars, MonthNumberOfAMonthBranch) {
    const QString order = QStringLiteral("寅卯辰巳午未申酉戌亥子丑");
    for (int n = 1; n <= 12; ++n) EXPECT_EQ(YueZhi2YueShu(order.mid(n - 1, 1)), n);
    for (const QString& t : kUnknownTexts) EXPECT_EQ(YueZhi2YueShu(t), 0) << t.toStdString();
}

TEST(FourPillars, PalaceNumbersRunBackwardsFromZi) {
    const QString order = QStringLiteral("子亥戌酉申未午巳辰卯寅丑");
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(MingGongZ2S(order.mid(n - 1, 1)), n);
        EXPECT_EQ(MingGongS2Z(static_cast<int16_t>(n)), order.mid(n - 1, 1));
    }
    for (int16_t n : {int16_t(0), int16_t(13), int16_t(-1), int16_t(SHRT_MIN)}) EXPECT_EQ(MingGongS2Z(n), "") << n;
    for (const QString& t : kUnknownTexts) EXPECT_EQ(MingGongZ2S(t), 0) << t.toStdString();
}

TEST(FourPillars, ChineseNumeralsAndDayNumbers) {
    const struct {
        const char* text;
        int value;
    } numerals[] = {{"Ｏ", 0},  {"一", 1}, {"二", 2}, {"三", 3}, {"四", 4},   {"五", 5},    {"六", 6},
                    {"七", 7},  {"八", 8}, {"九", 9}, {"十", 10}, {"十一", 11}, {"十二", 12}, {"十三", 0},
                    {"零", 0},  {" ", 0},  {"", 0},   {"一 ", 0}, {"廿一", 0},  {"1", 0},     {"〇", 0}};
    for (const auto& n : numerals) EXPECT_EQ(YS2ALaBo(n.text), n.value) << n.text;

    const struct {
        int number;
        const char* name;
    } days[] = {{1, "一"},    {5, "五"},    {10, "十"},   {11, "十一"}, {12, "十二"}, {13, "十三"}, {19, "十九"},
                {20, "二十"}, {21, "廿一"}, {29, "廿九"}, {30, "三十"}, {31, "三一"}, {0, ""},     {32, ""},
                {-1, ""},     {SHRT_MAX, ""}, {SHRT_MIN, ""}};
    for (const auto& d : days) EXPECT_EQ(DayNumberName(static_cast<int16_t>(d.number)), d.name) << d.number;
}

TEST(FourPillars, NayinOfEveryPairOfTheSixty) {
    const char* const names[30] = {"海中金", "炉中火", "大林木", "路旁土", "剑锋金", "山头火", "涧下水", "城墙土",
                                   "白蜡金", "杨柳木", "泉中水", "屋上土", "霹雷火", "松柏木", "长流水", "沙中金",
                                   "山下火", "平地木", "壁上土", "金箔金", "佛灯火", "天河水", "大驿土", "钗钏金",
                                   "桑松木", "大溪水", "沙中土", "天上火", "石榴木", "大海水"};
    for (int k = 0; k < 60; ++k) {
        const QString pair = kStems.mid(k % 10, 1) + kBranches.mid(k % 12, 1);
        EXPECT_EQ(SiZhuNaYin(pair), names[k / 2]) << pair.toStdString();
    }
    for (const QString& t : kUnknownTexts) EXPECT_EQ(SiZhuNaYin(t), "") << t.toStdString();
}

TEST(FourPillars, VoidBranchesOfEveryDecade) {
    const char* const voids[6] = {"戌 亥", "申 酉", "午 未", "辰 巳", "寅 卯", "子 丑"};
    for (int k = 0; k < 60; ++k) {
        const QString pair = kStems.mid(k % 10, 1) + kBranches.mid(k % 12, 1);
        EXPECT_EQ(VoidBranches(pair), voids[k / 10]) << pair.toStdString();
    }
    EXPECT_EQ(VoidBranches("己亥"), "辰 巳");
    EXPECT_EQ(VoidBranches("甲子"), "戌 亥");
    for (const QString& t : kUnknownTexts) EXPECT_EQ(VoidBranches(t), "") << t.toStdString();
}

TEST(FourPillars, JieTermsNameTheirMonths) {
    const struct {
        const char* term;
        const char* month;
    } rows[] = {{"立春", "正月"}, {"惊蛰", "二月"}, {"清明", "三月"}, {"立夏", "四月"}, {"芒种", "五月"},
                {"小暑", "六月"}, {"立秋", "七月"}, {"白露", "八月"}, {"寒露", "九月"}, {"立冬", "十月"},
                {"大雪", "冬月"}, {"小寒", "腊月"}};
    for (const auto& r : rows) EXPECT_EQ(SolarTermToMonthName(r.term), r.month) << r.term;
    for (const char* qi : {"雨水", "春分", "谷雨", "小满", "夏至", "大暑", "处暑", "秋分", "霜降", "小雪", "冬至", "大寒"})
        EXPECT_EQ(SolarTermToMonthName(qi), "") << qi;
    for (const QString& t : kUnknownTexts) EXPECT_EQ(SolarTermToMonthName(t), "") << t.toStdString();
    EXPECT_EQ(SolarTermToMonthName("立春 "), "");
}

TEST(FourPillars, MinorLuckPairReducesTheStemInPlace) {
    const struct {
        int32_t stem, branch;
        const char* pair;
        int32_t stemAfter;
    } rows[] = {
        {13, 13, "丙子", 3},  {23, 25, "丙子", 3},  {10, 12, "癸亥", 0}, {1, 1, "甲子", 1},   {0, 0, "癸亥", 0},
        {9, 11, "壬戌", 9},   {19, 23, "壬戌", 9},  {-1, 1, "子", -1},  {-11, 3, "寅", -1}, {5, -1, "戊", 5},
        {-3, -5, "", -3},     {-10, -12, "癸亥", 0}, {INT_MAX, INT_MAX, "庚午", 7}, {INT_MIN, 0, "亥", -8},
    };
    for (const auto& r : rows) {
        int32_t stem = r.stem;
        const int32_t branch = r.branch;
        EXPECT_EQ(GetXiaoyunGZ(stem, branch), r.pair) << r.stem << "," << r.branch;
        EXPECT_EQ(stem, r.stemAfter) << r.stem;
        EXPECT_EQ(branch, r.branch);
    }
}

}  // namespace
