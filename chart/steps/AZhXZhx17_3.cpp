#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace chart {

void PlaceTianShou(ChartSurface& chart) {
    // The body palace counts as 子, on to the year branch.
    const int year = core::BranchToIndex(yearBranch(chart));
    PlaceStar(chart, wrapPalace(core::gShenPalace + year - 1), QStringLiteral("天寿"), QString());
}

}  // namespace chart
