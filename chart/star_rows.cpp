#include "chart/star_rows.h"

#include "chart/palace_cells.h"
#include "chart/rule_database.h"

namespace chart {

void ForEachStarRow(const QString& sql, int columnCount, int column, const StarRowVisitor& visit) {
    RuleDatabase db;
    dao::Recordset rs = db.snapshot(sql);
    const QString starColumn = QStringLiteral("y");
    for (; !rs.eof(); rs.moveNext()) visit(mid(rowString(rs, columnCount), column), fieldText(rs, starColumn), rs);
}

void PlaceStarsOfTable(ChartSurface& chart, const QString& sql, int columnCount, int column) {
    ForEachStarRow(sql, columnCount, column,
                   [&](const QString& branch, const QString& star, const dao::Recordset&) {
                       PlaceStarAtBranch(chart, branch, star);
                   });
}

}  // namespace chart
