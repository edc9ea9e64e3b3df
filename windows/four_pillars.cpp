#include "windows/four_pillars.h"

#include "calendar/sexagenary.h"
#include "core/conversions.h"

#include <array>

namespace fourpillars {

namespace {

struct HiddenStems {
    const char16_t* stems;
    const char16_t* weights;
};

// By branch 子 … 亥.
constexpr std::array<HiddenStems, 12> kHiddenStems{{
    {u"癸", u"1.0"},
    {u"癸辛己", u"0.30.20.5"},
    {u"甲丙戊", u"0.70.20.1"},
    {u"乙", u"1.0"},
    {u"乙戊癸", u"0.30.50.2"},
    {u"庚丙戊", u"0.10.70.2"},
    {u"己丁", u"0.30.7"},
    {u"乙己丁", u"0.20.50.3"},
    {u"戊庚壬", u"0.10.70.2"},
    {u"辛", u"1.0"},
    {u"辛丁戊", u"0.30.20.5"},
    {u"甲壬", u"0.30.7"},
}};

constexpr std::array<const char16_t*, 12> kStages{u"长生", u"沐浴", u"冠带", u"临官", u"帝旺", u"衰",
                                                  u"病",   u"死",   u"墓",   u"绝",   u"胎",   u"养"};

struct StageStart {
    int branch;     // where 长生 stands, 子 0 … 亥 11
    int direction;  // +1 along 子 → 亥, −1 against it
};

// By stem 甲 … 癸. 戊 goes with 丙 and 己 with 丁.
constexpr std::array<StageStart, 10> kStageStarts{{
    {11, +1}, {6, -1}, {2, +1}, {9, -1}, {2, +1}, {9, -1}, {5, +1}, {0, -1}, {8, +1}, {3, -1},
}};

// The void branches of the six decades, from the 甲子 decade on.
constexpr std::array<const char16_t*, 6> kVoidBranches{u"戌 亥", u"申 酉", u"午 未", u"辰 巳", u"寅 卯", u"子 丑"};

// The jie terms in the order of the months they open, 正月 first.
constexpr std::array<const char16_t*, 12> kJieTerms{u"立春", u"惊蛰", u"清明", u"立夏", u"芒种", u"小暑",
                                                    u"立秋", u"白露", u"寒露", u"立冬", u"大雪", u"小寒"};

// The numerals past 九 that YS2ALaBo and DayNumberName know besides core's digits.
constexpr std::array<const char16_t*, 3> kTenToTwelve{u"十", u"十一", u"十二"};

// "Ｏ" 一 … 九 十 十一 十二 for 0 … 12.
QString numeral(int n) {
    if (n >= 0 && n <= 9) return core::DigitToChinese(static_cast<int16_t>(n));
    if (n >= 10 && n <= 12) return QString::fromUtf16(kTenToTwelve[static_cast<std::size_t>(n - 10)]);
    return QString();
}

// Stem and branch positions of a pair of the sixty; false for any other text (甲丑 is no pair).
bool pairPositions(const QString& pair, int* stem, int* branch) {
    if (pair.size() != 2) return false;
    *stem = calendar::stemPosition(pair.left(1));
    *branch = calendar::branchPosition(pair.mid(1));
    return *stem >= 0 && *branch >= 0 && *stem % 2 == *branch % 2;
}

// Place of a pair in the sixty, 甲子 0 … 癸亥 59.
int placeInSixty(int stem, int branch) { return calendar::wrap(6 * stem - 5 * branch, 60); }

}  // namespace

QString DiZhiDunChang(const QString& branch) {
    const int b = calendar::branchPosition(branch);
    return b < 0 ? QString() : QString::fromUtf16(kHiddenStems[static_cast<std::size_t>(b)].stems);
}

QString Wangdu(const QString& branch) {
    const int b = calendar::branchPosition(branch);
    return b < 0 ? QString() : QString::fromUtf16(kHiddenStems[static_cast<std::size_t>(b)].weights);
}

QString TwelveStageName(const QString& stem, const QString& branch) {
    const int s = calendar::stemPosition(stem);
    const int b = calendar::branchPosition(branch);
    if (s < 0 || b < 0) return QString();
    const StageStart start = kStageStarts[static_cast<std::size_t>(s)];
    return QString::fromUtf16(kStages[static_cast<std::size_t>(calendar::wrap(start.direction * (b - start.branch), 12))]);
}

QString XuHaoToTianGuan(int16_t number) { return core::StemName(number); }

QString XuHaoToDiZhi(int16_t number) { return core::BranchName(number); }

int16_t DiZhiToXuHao(const QString& branch) { return core::BranchToIndex(branch); }

int16_t YueZhi2YueShu(const QString& branch) {
    const int b = calendar::branchPosition(branch);
    return b < 0 ? 0 : static_cast<int16_t>(calendar::wrap(b - 2, 12) + 1);
}

int16_t YS2ALaBo(const QString& text) {
    for (int n = 1; n <= 12; ++n)
        if (text == numeral(n)) return static_cast<int16_t>(n);
    return 0;  // "Ｏ" as much as anything unknown
}

QString DayNumberName(int16_t number) {
    if (number >= 1 && number <= 12) return numeral(number);
    // From 十三 on the day names of the lunar calendar read the same.
    if (number >= 13 && number <= 30) return core::LunarDayName(number);
    if (number == 31) return QStringLiteral("三一");
    return QString();
}

QString SiZhuNaYin(const QString& pair) {
    int stem = 0, branch = 0;
    return pairPositions(pair, &stem, &branch) ? calendar::nayin(stem, branch) : QString();
}

int16_t MingGongZ2S(const QString& branch) {
    const int b = calendar::branchPosition(branch);
    return b < 0 ? 0 : static_cast<int16_t>(calendar::wrap(-b, 12) + 1);
}

QString MingGongS2Z(int16_t number) { return number >= 1 && number <= 12 ? calendar::branchAt(1 - number) : QString(); }

QString VoidBranches(const QString& pair) {
    int stem = 0, branch = 0;
    if (!pairPositions(pair, &stem, &branch)) return QString();
    return QString::fromUtf16(kVoidBranches[static_cast<std::size_t>(placeInSixty(stem, branch) / 10)]);
}

QString SolarTermToMonthName(const QString& term) {
    for (std::size_t i = 0; i < kJieTerms.size(); ++i)
        if (term == QStringView(kJieTerms[i])) return core::LunarMonthName(static_cast<int>(i) + 1);
    return QString();
}

QString GetXiaoyunGZ(int32_t& stemNumber, const int32_t& branchNumber) {
    stemNumber %= 10;
    const int32_t branch = branchNumber % 12;
    QString pair;
    // Remainder 0 is the last of the cycle (癸, 亥); a negative one names nothing.
    if (stemNumber >= 0) pair += core::StemName(stemNumber == 0 ? 10 : stemNumber);
    if (branch >= 0) pair += core::BranchName(branch == 0 ? 12 : branch);
    return pair;
}

}  // namespace fourpillars
