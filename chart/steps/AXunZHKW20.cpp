#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"

namespace chart {

namespace {
constexpr Colour kUnmarked = 0xFFFFFF;
constexpr Colour kVoidMark = 0x004000;

void mark(ChartSurface& chart, int palace, const QString& word) {
    if (!isPalace(palace)) return;
    chart.setCaption(Control::lblXK, palace, word);
    chart.setForeColor(Control::lblXK, palace, kVoidMark);
}
}  // namespace

void PlaceXunKong(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT n,a,b,c,d,e,f,g,h,i,j ") + QStringLiteral("FROM AXUNZHXUNK20 "));
    // An earlier chart's marks are emptied, not only whitened.
    for (int i = 0; i < kPalaceCount; ++i) {
        chart.setForeColor(Control::lblXK, i, kUnmarked);
        chart.setCaption(Control::lblXK, i, QString());
    }
    while (!rs.eof()) {
        // The row of the decade that pairs the year stem with the year branch.
        const QString paired = mid(rowString(rs, 10), core::StemToIndex(yearStem(chart)));
        if (yearBranch(chart) == paired) {
            const QString voids = fieldText(rs, QStringLiteral("n"));
            mark(chart, palaceOfBranch(mid(voids, 1)), QStringLiteral("旬中"));
            mark(chart, palaceOfBranch(mid(voids, 2)), QStringLiteral("空亡"));
        }
        rs.moveNext();
    }
}

}  // namespace chart
