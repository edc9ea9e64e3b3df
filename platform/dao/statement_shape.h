#pragma once
// The shape of a SELECT: its text with the whole numbers it compares in WHERE taken out as
// parameters. The program writes the row it looks for into the text ("WHERE ID=1790"), so every
// month or row would prepare a statement of its own; statements of one shape share one prepared
// statement and bind the numbers instead.
#include "platform/vb/variant.h"

#include <QList>
#include <QString>

namespace dao::detail {

struct StatementShape {
    QString text;                 // the Jet text with "?" where a number stood; empty when nothing was taken
    QList<vb::Variant> numbers;   // the numbers taken, in the order of their places
};

// Takes only decimal whole numbers that follow a comparison operator in the WHERE clause of a
// SELECT without parameters of its own: there a bound number compares exactly as the literal does,
// and the result's column names never come from the WHERE clause.
StatementShape shapeOf(const QString& jetSql);

}  // namespace dao::detail
