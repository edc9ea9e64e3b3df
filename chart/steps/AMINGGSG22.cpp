#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace chart {

void SetMingZhuShenZhu(ChartSurface& chart) {
    RuleDatabase db;
    {
        // The life ruler by the life palace's branch, two characters per cell; the last row decides.
        dao::Recordset rs = db.snapshot(QStringLiteral("SELECT s, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM qMingZsZ22_1"));
        for (; !rs.eof(); rs.moveNext()) chart.setCaption(Control::lblMz, mid(rowString(rs, 12), core::gMingPalace * 2 + 1, 2));
        rs.close();
    }
    {
        // The body ruler by the year branch.
        dao::Recordset rs = db.snapshot(QStringLiteral("SELECT s, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM QMingZsZ22_2 "));
        for (; !rs.eof(); rs.moveNext()) {
            const int year = core::BranchToIndex(yearBranch(chart));
            chart.setCaption(Control::lblshz, mid(rowString(rs, 12), (year - 1) * 2 + 1, 2));
        }
        rs.close();
    }
}

}  // namespace chart
