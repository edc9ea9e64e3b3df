#pragma once
// The birth data a build reads from the chart window's captions, by character position, and the
// direction of the chart that follows from the year stem and the sex.
#include "chart/chart_surface.h"

#include <QString>

namespace chart {

QString yearStem(const ChartSurface& chart);         // 6th character of lblCHUsh
QString yearBranch(const ChartSurface& chart);       // 7th character of lblCHUsh
QString birthHourBranch(const ChartSurface& chart);  // 16th character of lblCHUsh
QString hourBranch(const ChartSurface& chart);       // 2nd character of Label17
QString monthKey(const ChartSurface& chart);         // 1st character of Label2(1)
QString monthName(const ChartSurface& chart);        // first two characters of Label2(1)
QString dayName(const ChartSurface& chart);          // Label6, whole
QString bureauName(const ChartSurface& chart);       // lblWXj, whole

// The yang stems 甲 丙 戊 庚 壬 and yin stems 乙 丁 己 辛 癸 with the sex give the class and the
// direction: 1 (forward, rising palace index) for 阳男 and 阴女, 2 (backward) for 阳女 and 阴男.
// A year stem that is none of the ten gives direction 0 and an empty class.
enum ChartDirection : int { kNoDirection = 0, kForward = 1, kBackward = 2 };
int chartDirection(const ChartSurface& chart, bool isMale);
QString chartClass(const ChartSurface& chart, bool isMale);  // "阳男", "阳女", "阴男", "阴女" or ""

// Writes the birth captions as the chart window does: lblCHUsh "yyyy（干支）年" + month + day + "日" +
// hour pillar + "时生", Label2(1) the month name, Label6 the day name, Label17 the hour pillar and "时".
// `gregorianYear` 0 leaves the four year figures blank, and an hour given as its branch alone leaves
// the hour stem blank; the build reads neither.
void SetBirthCaptions(ChartSurface& chart, int gregorianYear, const QString& yearPillar, const QString& monthName,
                      const QString& dayName, const QString& hourPillar);

// x mod 12 taken as 0 … 11.
constexpr int wrapPalace(int x) { return ((x % kPalaceCount) + kPalaceCount) % kPalaceCount; }

}  // namespace chart
