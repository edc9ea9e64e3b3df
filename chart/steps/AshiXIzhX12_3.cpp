#include "chart/birth_inputs.h"
#include "chart/star_rows.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"

namespace chart {

void PlaceHourStars3(ChartSurface& chart) {
    PlaceStarsOfTable(chart, QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM iRiXiZX12_3"), 12,
                      core::BranchToIndex(hourBranch(chart)));
}

}  // namespace chart
