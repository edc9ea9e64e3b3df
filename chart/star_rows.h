#pragma once
// The star pattern that most placement steps share: open the rule database, read every row of one
// table in table order, cut the row's cell of the column the chart selects, and place the row's star
// (column y) at the branch in that cell.
#include "chart/chart_surface.h"
#include "platform/dao/dao.h"

#include <QString>

#include <functional>

namespace chart {

// What a step does with one row: the branch cell cut from the row string, the row's star, and the
// recordset positioned on the row (for further columns).
using StarRowVisitor = std::function<void(const QString& branch, const QString& star, const dao::Recordset& row)>;

// Runs `sql` on the rule database and hands every row's cell of column `column` (1-based; the row
// string joins `columnCount` one-character cells) and its star to `visit`. A column before the first
// raises 5 on the first row, as cutting the row string there does.
void ForEachStarRow(const QString& sql, int columnCount, int column, const StarRowVisitor& visit);

// The plain pattern: every row's star with its brightness and transformation at its branch.
void PlaceStarsOfTable(ChartSurface& chart, const QString& sql, int columnCount, int column);

}  // namespace chart
