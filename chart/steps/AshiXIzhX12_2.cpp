#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/star_rows.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"

namespace chart {

void PlaceHourStars2(ChartSurface& chart) {
    const QString birthYearBranch = yearBranch(chart);
    ForEachStarRow(QStringLiteral("SELECT y,n, A,b,c,d,e,f,g,h,i,j,k ,l   ") + QStringLiteral("FROM iRiXiZX12_2"), 12,
                   core::BranchToIndex(hourBranch(chart)),
                   [&](const QString& branch, const QString& star, const dao::Recordset& row) {
                       // Only the rows of the birth year's branch apply.
                       if (fieldText(row, QStringLiteral("n")) == birthYearBranch) PlaceStarAtBranch(chart, branch, star);
                   });
}

}  // namespace chart
