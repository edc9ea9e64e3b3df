#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace chart {

void PlaceHourStars1(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM iRiXiZX12_1"));
    while (!rs.eof()) {
        const QString branch = mid(rowString(rs, 12), core::BranchToIndex(hourBranch(chart)));
        const QString star = fieldText(rs, QStringLiteral("y"));
        if (star == u"文昌")
            core::gWenChangPos = palaceOfBranch(branch);
        else if (star == u"文曲")
            core::gWenQuPos = palaceOfBranch(branch);
        PlaceStarAtBranch(chart, branch, star);
        rs.moveNext();
    }
}

}  // namespace chart
