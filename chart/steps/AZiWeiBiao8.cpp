#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"
#include "platform/vb/error.h"

namespace chart {

void PlaceZiWei(ChartSurface& chart) {
    const int day = core::LunarDayToNumber(dayName(chart));
    // The day names run to 三一, the tables' columns to 三十: such a day, or a caption that names no
    // day, is reported instead of reading past the columns.
    if (day < 1 || day > 30)
        vb::raise(vb::kSubscriptOutOfRange, QStringLiteral("AZiWeiBiao8"),
                  QStringLiteral("The lunar day \"%1\" is not one of 初一 to 三十.").arg(dayName(chart)));
    const bool firstHalf = day <= 15;
    const int k = firstHalf ? day : day - 15;

    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT n, a1,a2,a3,a4,a5,a6,a7,a8,a9,a10,a11,a12,a13,a14,a15 ") +
                                    (firstHalf ? QStringLiteral("FROM EziweiB15 WHERE n=")
                                               : QStringLiteral("FROM EziweiB30 WHERE n=")) +
                                    quoted(mid(bureauName(chart), 1, 3)));
    // The first row without an end test: a bureau without a row fails here.
    const QString branch = mid(numberedRowString(rs, QStringLiteral("a"), 15), k);
    core::gZiWeiPos = core::BranchToIndex(branch);
    PlaceStarAtBranch(chart, branch, QStringLiteral("紫微"));
}

}  // namespace chart
