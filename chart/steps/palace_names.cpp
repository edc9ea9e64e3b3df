#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/globals.h"

namespace chart {

void FillPalaceNames(ChartSurface& chart) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(QStringLiteral("SELECT s, A,b,c,d,e,f,g,h,i,j,k,l ") + QStringLiteral("FROM Bdseg "));
    while (!rs.eof()) {
        const QString row = rowString(rs, 12);
        const int p = palaceOfBranch(mid(row, core::gMingPalace + 1));
        // A cell that is no branch names no palace: the row is left out.
        if (isPalace(p)) {
            const QString name = fieldText(rs, QStringLiteral("s"));
            chart.setCaption(Control::lblSEG, p, name);
            if (name == u"财帛")
                core::gWealthPalace = p;
            else if (name == u"迁移")
                core::gTravelPalace = p;
            else if (name == u"官禄")
                core::gCareerPalace = p;
        }
        rs.moveNext();
    }
}

}  // namespace chart
