#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"

namespace chart {

void PlaceBranchStars1(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM kAZHIXIZHX17_1"));
    while (!rs.eof()) {
        const QString branch = mid(rowString(rs, 12), core::BranchToIndex(yearBranch(chart)));
        PlaceStarAtBranch(chart, branch, fieldText(rs, QStringLiteral("y")));
        rs.moveNext();
    }
}

}  // namespace chart
