#include "chart/star_rows.h"
#include "chart/steps/steps.h"
#include "core/globals.h"

namespace chart {

void PlaceTianShangTianShi(ChartSurface& chart) {
    // The columns stand for the branch of the life palace.
    PlaceStarsOfTable(chart, QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM ATianSTSH21"), 12,
                      core::gMingPalace + 1);
}

}  // namespace chart
