#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/globals.h"

namespace chart {

void PlaceTianShangTianShi(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM ATianSTSH21"));
    while (!rs.eof()) {
        // The columns stand for the branch of the life palace.
        const QString branch = mid(rowString(rs, 12), core::gMingPalace + 1);
        PlaceStarAtBranch(chart, branch, fieldText(rs, QStringLiteral("y")));
        rs.moveNext();
    }
}

}  // namespace chart
