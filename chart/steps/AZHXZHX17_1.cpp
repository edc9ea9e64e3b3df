#include "chart/birth_inputs.h"
#include "chart/star_rows.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"

namespace chart {

void PlaceBranchStars1(ChartSurface& chart) {
    PlaceStarsOfTable(chart, QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM kAZHIXIZHX17_1"),
                      12, core::BranchToIndex(yearBranch(chart)));
}

}  // namespace chart
