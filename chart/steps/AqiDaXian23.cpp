#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/globals.h"

#include <array>

namespace chart {

namespace {
// The bureaus by column letter a … e; the digit of the column is the direction.
constexpr std::array<const char16_t*, 5> kBureaus{u"水二局", u"木三局", u"金四局", u"土五局", u"火六局"};
// Rows are read in ID order into at most this many texts; the first twelve are shown.
constexpr int kTextCount = 32;

QString periodColumn(const ChartSurface& chart, int direction) {
    if (direction != kForward && direction != kBackward) return QString();
    const QString bureau = bureauName(chart);
    for (std::size_t b = 0; b < kBureaus.size(); ++b)
        if (bureau == QStringView(kBureaus[b])) return QChar(u'a' + static_cast<int>(b)) + QString::number(direction);
    return QString();
}
}  // namespace

void PlaceDaXian(ChartSurface& chart) {
    // A bureau or a direction that selects no column ends the step.
    const QString column = periodColumn(chart, chartDirection(chart, core::gIsMale));
    if (column.isEmpty()) return;

    QStringList texts(kTextCount);
    {
        RuleDatabase db;
        dao::Recordset rs = db.snapshot(QStringLiteral("SELECT %1 ").arg(column) + QStringLiteral("FROM OqiDAx23  ") +
                                        QStringLiteral("  ORDER BY ID "));
        for (int k = 0; k < kTextCount && !rs.eof(); ++k, rs.moveNext()) texts[k] = fieldText(rs, column);
    }
    // Row r is the palace r − 1 back from the life palace, whatever the direction.
    for (int j = 0; j < kPalaceCount; ++j) chart.setCaption(Control::lblDX, wrapPalace(core::gMingPalace - j), texts[j]);
}

}  // namespace chart
