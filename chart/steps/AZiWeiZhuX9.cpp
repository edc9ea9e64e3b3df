#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/globals.h"

namespace chart {

void PlaceZiWeiGroup(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM FZiWeiZhuX9"));
    while (!rs.eof()) {
        const QString branch = mid(rowString(rs, 12), core::gZiWeiPos);
        PlaceStarAtBranch(chart, branch, fieldText(rs, QStringLiteral("y")));
        rs.moveNext();
    }
}

}  // namespace chart
