#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"

namespace chart {

namespace {
// The twelve names of the year-front cycle, two characters each.
constexpr char16_t kNames[] = u"岁建晦气丧门贯索官符小耗大耗龙德白虎天德吊客病符";
}  // namespace

void PlaceSuiQianStars(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y,a,b,c,d,e,f,g,h,i,j,k,l ") +
                                    QStringLiteral("FROM MSuiQzhX25 WHERE y=") + quoted(yearBranch(chart)));
    const QString names = QString::fromUtf16(kNames);
    while (!rs.eof()) {
        // Column k holds the palace of the cycle's k-th name.
        const QString row = rowString(rs, 12);
        for (int k = 1; k <= kPalaceCount; ++k) {
            const int palace = palaceOfBranch(mid(row, k));
            if (isPalace(palace)) chart.setCaption(Control::lblLNSQ, palace, mid(names, 2 * k - 1, 2));
        }
        rs.moveNext();
    }
}

}  // namespace chart
