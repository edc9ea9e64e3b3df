#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"

namespace chart {

namespace {
// The twelve names of the general-front cycle, two characters each.
constexpr char16_t kNames[] = u"将星攀鞍岁驿息神华盖劫煞灾煞天煞指背咸池月煞亡神";
}  // namespace

void PlaceJiangQianStars(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y,a,b,c,d,e,f,g,h,i,j,k,l ") +
                                    QStringLiteral("FROM NsuiQzzhX26 WHERE y=") + quoted(yearBranch(chart)));
    const QString names = QString::fromUtf16(kNames);
    while (!rs.eof()) {
        // Column k holds the palace of the cycle's k-th name.
        const QString row = rowString(rs, 12);
        for (int k = 1; k <= kPalaceCount; ++k) {
            const int palace = palaceOfBranch(mid(row, k));
            if (isPalace(palace)) chart.setCaption(Control::lblLNJQ, palace, mid(names, 2 * k - 1, 2));
        }
        rs.moveNext();
    }
}

}  // namespace chart
