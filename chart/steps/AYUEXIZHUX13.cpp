#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace chart {

void PlaceMonthStars(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l  ") + QStringLiteral("FROM jYUEXIZHUX13"));
    while (!rs.eof()) {
        // The twelve columns stand for the months 正月 … 腊月.
        const QString branch = mid(rowString(rs, 12), core::LunarMonthToNumber(monthName(chart)));
        const QString star = fieldText(rs, QStringLiteral("y"));
        if (star == u"左辅")
            core::gZuoFuPos = palaceOfBranch(branch);
        else if (star == u"右弼")
            core::gYouBiPos = palaceOfBranch(branch);
        PlaceStarAtBranch(chart, branch, star);
        rs.moveNext();
    }
}

}  // namespace chart
