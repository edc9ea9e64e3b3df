#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/star_rows.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace chart {

void PlaceHourStars1(ChartSurface& chart) {
    ForEachStarRow(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM iRiXiZX12_1"), 12,
                   core::BranchToIndex(hourBranch(chart)),
                   [&](const QString& branch, const QString& star, const dao::Recordset&) {
                       if (star == u"文昌")
                           core::gWenChangPos = palaceOfBranch(branch);
                       else if (star == u"文曲")
                           core::gWenQuPos = palaceOfBranch(branch);
                       PlaceStarAtBranch(chart, branch, star);
                   });
}

}  // namespace chart
