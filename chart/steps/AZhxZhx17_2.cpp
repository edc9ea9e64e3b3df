#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"

namespace chart {

void PlaceBranchStars2(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM KAZHIXIZHX17_2"));
    while (!rs.eof()) {
        // The cell names the palace, two characters, as the palace-name labels show it.
        const int k = core::BranchToIndex(yearBranch(chart));
        const QString name = mid(rowString(rs, 12), 2 * k - 1, 2);
        int palace = -1;
        for (int i = 0; i < kPalaceCount; ++i)
            if (chart.caption(Control::lblSEG, i) == name) palace = i;
        // A name that no palace shows places nothing (rather than the previous row's palace).
        if (isPalace(palace)) PlaceStarWithSiHua(chart, palace, fieldText(rs, QStringLiteral("y")));
        rs.moveNext();
    }
}

}  // namespace chart
