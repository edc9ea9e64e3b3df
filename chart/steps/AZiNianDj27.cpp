#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"

namespace chart {

namespace {
constexpr Colour kUnmarked = 0xFFFFFF;
constexpr Colour kDouJunMark = 0x80000001u;  // system colour 1, the desktop
}  // namespace

void PlaceZiNianDouJun(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT y,a,b,c,d,e,f,g,h,i,j,k,l  ") + QStringLiteral("FROM AziNianDJ27 "));
    // An earlier chart's mark is emptied, not only whitened.
    for (int i = 0; i < kPalaceCount; ++i) {
        chart.setForeColor(Control::lblZNDJ, i, kUnmarked);
        chart.setCaption(Control::lblZNDJ, i, QString());
    }
    while (!rs.eof()) {
        // Rows by the hour branch of the birth caption, columns by the month.
        if (fieldText(rs, QStringLiteral("y")) == birthHourBranch(chart)) {
            const int k = core::LunarMonthToNumber(monthName(chart));
            const int palace = palaceOfBranch(mid(rowString(rs, 12), k));
            if (isPalace(palace)) {
                chart.setCaption(Control::lblZNDJ, palace, QStringLiteral("子年斗君"));
                chart.setForeColor(Control::lblZNDJ, palace, kDouJunMark);
            }
        }
        rs.moveNext();
    }
}

}  // namespace chart
