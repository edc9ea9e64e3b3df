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

}  // namespace chart
