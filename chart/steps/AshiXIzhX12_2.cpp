#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"

namespace chart {

void PlaceHourStars2(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y,n, A,b,c,d,e,f,g,h,i,j,k ,l   ") +
                                    QStringLiteral("FROM iRiXiZX12_2"));
    while (!rs.eof()) {
        const QString branch = mid(rowString(rs, 12), core::BranchToIndex(hourBranch(chart)));
        // Only the rows of the birth year's branch apply.
        if (fieldText(rs, QStringLiteral("n")) == yearBranch(chart))
            PlaceStarAtBranch(chart, branch, fieldText(rs, QStringLiteral("y")));
        rs.moveNext();
    }
}

}  // namespace chart
