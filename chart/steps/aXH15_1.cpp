#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/star_rows.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace chart {

void PlaceStemStars(ChartSurface& chart) {
    ForEachStarRow(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j ") + QStringLiteral("FROM GanXiZx15_1"), 10,
                   core::StemToIndex(yearStem(chart)),
                   [&](const QString& branch, const QString& star, const dao::Recordset&) {
                       if (star == u"禄存") core::gLuCunPos = palaceOfBranch(branch);
                       PlaceStarAtBranch(chart, branch, star);
                   });
}

}  // namespace chart
