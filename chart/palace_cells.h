#pragma once
// The shared operations of the star-placing steps: a star with its brightness into a free slot of a
// palace, a row of the four-transformation table, and the two lookups they need: the brightness grade
// of a star in a palace (table XMiao99) and the transformation word of a star for the year stem
// (table GanXiZx15_2).
#include "chart/chart_surface.h"

#include <QString>

namespace chart {

// Colours of the palace cells.
inline constexpr Colour kDarkRed = 0x000080;      // a star name of the fixed list
inline constexpr Colour kBlack = 0x000000;        // any other star name
inline constexpr Colour kBrightRed = 0x0000FF;    // brightness 旺 庙 得
inline constexpr Colour kBrightBlue = 0xFF0000;   // brightness 平 利 陷
inline constexpr Colour kCaptionText = 0x80000009u;  // an empty brightness word

// The 29 star names shown in dark red; the four transformation words are among them.
bool isDarkRedStar(const QString& star);

// The grades in the order of the XMiao99 columns a … g.
inline constexpr char16_t kGrades[] = u"庙旺得利平不陷";
inline constexpr int kGradeCount = 7;

// Writes the star and its brightness word into the first free slot of the palace (slots 0 … 5, then
// 12 … 17, then 24 … 29; the word beside it at slot + 6) and colours both. Eighteen stars fill a
// palace, more than any chart places there; a further star, or a palace index outside 0 … 11, is
// dropped.
void PlaceStar(ChartSurface& chart, int palace, const QString& star, const QString& brightness);

// Fills the first free row of the four-transformation table with the star, its transformation word
// and the star's brightness in the palace; a fifth row is dropped.
void PlaceSiHua(ChartSurface& chart, int palace, const QString& star, const QString& word);

// One of 庙 旺 得 利 平 不 陷, or "" when the star has no row or no grade lists the palace's branch.
// A branch listed under several grades takes the later column's grade.
QString LookupBrightness(const QString& star, int palace);

// The two-character transformation word of the star for the year stem of the chart, or "".
QString LookupSiHua(const ChartSurface& chart, const QString& star);

// The star pattern: the star into the palace with its brightness, then its transformation row when
// the year stem gives it one. A palace index outside 0 … 11 places nothing.
void PlaceStarWithSiHua(ChartSurface& chart, int palace, const QString& star);
// The same with the palace given by a branch cell; a cell that is no branch places nothing.
void PlaceStarAtBranch(ChartSurface& chart, const QString& branchCell, const QString& star);

}  // namespace chart
