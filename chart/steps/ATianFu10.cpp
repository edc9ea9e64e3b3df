#include "chart/palace_cells.h"
#include "chart/star_rows.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace chart {

void PlaceTianFu(ChartSurface& chart) {
    ForEachStarRow(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM GZiWeiTF10"), 12,
                   core::gZiWeiPos, [&](const QString& branch, const QString& star, const dao::Recordset&) {
                       // With several rows the last one read decides the position.
                       core::gTianFuPos = core::BranchToIndex(branch);
                       PlaceStarAtBranch(chart, branch, star);
                   });
}

}  // namespace chart
