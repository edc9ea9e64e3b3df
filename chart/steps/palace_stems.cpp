#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"

namespace chart {

void FillPalaceStems(ChartSurface& chart) {
    // Without a row for the year stem the cells stay empty rather than show another chart's stems.
    for (int i = 0; i < kPalaceCount; ++i) chart.setCaption(Control::lblSEGtg, i, QString());
    const QString stem = yearStem(chart);
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT n,a,b,c,d,e,f,g,h,i,j,k,l ") +
                                    QStringLiteral("FROM Cdsegtgb WHERE n=") + quoted(stem));
    while (!rs.eof()) {
        const QString row = rowString(rs, 12);
        for (int i = 0; i < kPalaceCount; ++i) chart.setCaption(Control::lblSEGtg, i, mid(row, i + 1));
        rs.moveNext();
    }
}

}  // namespace chart
