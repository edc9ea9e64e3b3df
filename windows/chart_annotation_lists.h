#pragma once
// The chart window's two annotation lists, in the order whose positions key the explanation rows
// (position i reads row i + 1 of saveM or saveY), and the fallback rows of saveM.
#include <array>

namespace windows {

// cboMg: the stars and transformations as they stand in the life palace.
inline constexpr std::array<const char16_t*, 58> kStarPicks{
    u"左辅A", u"紫微A", u"右弼A", u"武曲A", u"文曲A", u"文昌A", u"陀罗A", u"天钺A", u"天相A", u"天同A",
    u"天梁A", u"天魁A", u"天机A", u"天府A", u"贪狼A", u"太阴A", u"太阳A", u"擎羊A", u"七杀A", u"破军A",
    u"禄存A", u"铃星A", u"廉贞A", u"巨门A", u"火星A", u"化权A", u"化禄A", u"化科A", u"化忌A", u"八座",
    u"地劫",  u"恩光",  u"蜚廉",  u"封诰",  u"凤阁",  u"孤辰",  u"寡宿",  u"红鸾",  u"解神",  u"龙池",
    u"破碎",  u"三台",  u"台辅",  u"天才",  u"天福",  u"天官",  u"天贵",  u"天空",  u"天哭",  u"天马",
    u"天寿",  u"天巫",  u"天喜",  u"天刑",  u"天虚",  u"天姚",  u"天月",  u"阴煞"};
inline constexpr char16_t kStarPicksText[] = u"命宫分析";

// cboDZ: the eleven palaces besides the life palace.
inline constexpr std::array<const char16_t*, 11> kPalacePicks{
    u"兄弟宫", u"夫妻宫", u"子女宫", u"财帛宫", u"疾厄宫", u"迁移宫",
    u"奴仆宫", u"官禄宫", u"田宅宫", u"福德宫", u"父母宫"};
inline constexpr char16_t kPalacePicksText[] = u"余宫分析";

// saveM serves both lists' missing explanations.
inline constexpr int kPalaceFallbackRow = 59;
inline constexpr int kStarFallbackRow = 60;

}  // namespace windows
