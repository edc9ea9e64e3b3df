#pragma once
// The placement steps of a chart build, one procedure per step module, each run by the builder in
// the order of its step table (chart/chart_builder.cpp). A step reads the birth captions and the
// chart positions of earlier steps, opens the rule database for itself and writes into the chart.
#include "chart/chart_surface.h"

namespace chart {

// Step 4 (table Bdseg): the twelve palace names from the life palace; records the wealth, career
// and travel palaces.
void FillPalaceNames(ChartSurface& chart);
// Step 5 (table Cdsegtgb): the stem of each palace from the year stem.
void FillPalaceStems(ChartSurface& chart);

// Steps 8 to 11: 紫微 by the bureau and the lunar day (EziweiB15, EziweiB30), the stars that follow
// 紫微 (FZiWeiZhuX9), 天府 (GZiWeiTF10) and the stars that follow 天府 (HAnTianFuX11). Step 8 records
// gZiWeiPos, step 10 gTianFuPos (branch numbers). A lunar day outside 1 … 30 fails the build.
void PlaceZiWei(ChartSurface& chart);
void PlaceZiWeiGroup(ChartSurface& chart);
void PlaceTianFu(ChartSurface& chart);
void PlaceTianFuGroup(ChartSurface& chart);

// Steps 12_1 to 12_3: the stars of the birth hour (iRiXiZX12_1, recording 文昌 and 文曲), the stars of
// the hour and the year branch (iRiXiZX12_2) and the minor hour stars (iRiXiZX12_3).
void PlaceHourStars1(ChartSurface& chart);
void PlaceHourStars2(ChartSurface& chart);
void PlaceHourStars3(ChartSurface& chart);

// Step 13 (jYUEXIZHUX13): the month stars; records 左辅 and 右弼.
void PlaceMonthStars(ChartSurface& chart);
// Step 15_1 (GanXiZx15_1): the stars of the year stem; records 禄存.
void PlaceStemStars(ChartSurface& chart);
// Steps 17_1 (kAZHIXIZHX17_1) and 17_2 (KAZHIXIZHX17_2): the stars of the year branch, the second by
// palace name.
void PlaceBranchStars1(ChartSurface& chart);
void PlaceBranchStars2(ChartSurface& chart);
// Step 21 (ATianSTSH21): 天伤 and 天使 by the life palace.
void PlaceTianShangTianShi(ChartSurface& chart);

// Step 19 (AJieLuKW19): 截路 and 空亡 by the year stem, as stars without brightness.
void PlaceJieLuKongWang(ChartSurface& chart);
// Step 20 (AXUNZHXUNK20): the void palaces of the year's decade into lblXK.
void PlaceXunKong(ChartSurface& chart);
// Step 27 (AziNianDJ27): 子年斗君 by the birth hour and month into lblZNDJ.
void PlaceZiNianDouJun(ChartSurface& chart);

// Steps 25 (MSuiQzhX25) and 26 (NsuiQzzhX26): the year-front and general-front cycles.
void PlaceSuiQianStars(ChartSurface& chart);
void PlaceJiangQianStars(ChartSurface& chart);
// Step 18 (lZHANGSHEN18): the twelve life stages by bureau and direction; the class into lblYinY.
void PlaceChangSheng(ChartSurface& chart);
// Step 16: the cycle of 博士 from 禄存's palace, in the chart's direction.
void PlaceBoShi(ChartSurface& chart);

// Step 14: 三台 恩光 天贵 八座, counted by the lunar day from 左辅, 文昌, 文曲 and 右弼.
void PlaceDayStars(ChartSurface& chart);
// Step 17_3: 天寿, counted by the year branch from the body palace.
void PlaceTianShou(ChartSurface& chart);

// Steps 23 (OqiDAx23) and 24 (PQiXX24): the major and the minor periods.
void PlaceDaXian(ChartSurface& chart);
void PlaceXiaoXian(ChartSurface& chart);

// Step 22 (qMingZsZ22_1, QMingZsZ22_2): the life ruler and the body ruler.
void SetMingZhuShenZhu(ChartSurface& chart);

}  // namespace chart
