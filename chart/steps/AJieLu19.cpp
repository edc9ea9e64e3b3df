#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"

namespace chart {

void PlaceJieLuKongWang(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT s,a,b,c,d,e,f,g,h,i,j ") + QStringLiteral("FROM AJieLuKW19 "));
    while (!rs.eof()) {
        // Two branches per stem: the palace of 截路, then that of 空亡.
        const int k = core::StemToIndex(yearStem(chart));
        const QString pair = mid(rowString(rs, 10), 2 * k - 1, 2);
        PlaceStar(chart, palaceOfBranch(mid(pair, 1)), QStringLiteral("截路"), QString());
        PlaceStar(chart, palaceOfBranch(mid(pair, 2)), QStringLiteral("空亡"), QString());
        rs.moveNext();
    }
}

}  // namespace chart
