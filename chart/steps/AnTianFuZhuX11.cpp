#include "chart/star_rows.h"
#include "chart/steps/steps.h"
#include "core/globals.h"

namespace chart {

void PlaceTianFuGroup(ChartSurface& chart) {
    PlaceStarsOfTable(chart, QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM HAnTianFuX11"), 12,
                      core::gTianFuPos);
}

}  // namespace chart
