#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace chart {

void PlaceStemStars(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j ") + QStringLiteral("FROM GanXiZx15_1"));
    while (!rs.eof()) {
        const QString branch = mid(rowString(rs, 10), core::StemToIndex(yearStem(chart)));
        const QString star = fieldText(rs, QStringLiteral("y"));
        if (star == u"禄存") core::gLuCunPos = palaceOfBranch(branch);
        PlaceStarAtBranch(chart, branch, star);
        rs.moveNext();
    }
}

}  // namespace chart
