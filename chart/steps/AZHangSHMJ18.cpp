#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/globals.h"

#include <array>

namespace chart {

namespace {
// The bureaus in the order of the table's column pairs; the first column of a pair serves direction
// 1, the second direction 2.
constexpr std::array<const char16_t*, 5> kBureaus{u"水二局", u"木三局", u"金四局", u"土五局", u"火六局"};

int stageColumn(const ChartSurface& chart, int direction) {
    if (direction != kForward && direction != kBackward) return 0;
    const QString bureau = bureauName(chart);
    for (std::size_t b = 0; b < kBureaus.size(); ++b)
        if (bureau == QStringView(kBureaus[b])) return direction + 2 * static_cast<int>(b);
    return 0;
}
}  // namespace

void PlaceChangSheng(ChartSurface& chart) {
    const QString chartKind = chartClass(chart, core::gIsMale);
    if (!chartKind.isEmpty()) chart.setCaption(Control::lblYinY, chartKind);
    // A bureau or a direction that selects no column ends the step: there is nothing to place.
    const int q = stageColumn(chart, chartDirection(chart, core::gIsMale));
    if (q == 0) return;

    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y, A,b,c,d,e,f,g,h,i,j   ") + QStringLiteral("FROM lZHANGSHEN18"));
    while (!rs.eof()) {
        const int palace = palaceOfBranch(mid(rowString(rs, 10), q));
        if (isPalace(palace)) chart.setCaption(Control::lblZSMJ, palace, fieldText(rs, QStringLiteral("y")));
        rs.moveNext();
    }
}

}  // namespace chart
