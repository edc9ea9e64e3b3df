#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/star_rows.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace chart {

void PlaceMonthStars(ChartSurface& chart) {
    // The twelve columns stand for the months 正月 … 腊月.
    ForEachStarRow(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l  ") + QStringLiteral("FROM jYUEXIZHUX13"), 12,
                   core::LunarMonthToNumber(monthName(chart)),
                   [&](const QString& branch, const QString& star, const dao::Recordset&) {
                       if (star == u"左辅")
                           core::gZuoFuPos = palaceOfBranch(branch);
                       else if (star == u"右弼")
                           core::gYouBiPos = palaceOfBranch(branch);
                       PlaceStarAtBranch(chart, branch, star);
                   });
}

}  // namespace chart
