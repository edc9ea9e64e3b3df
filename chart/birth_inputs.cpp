#include "chart/birth_inputs.h"

#include "chart/rule_database.h"
#include "core/conversions.h"

namespace chart {

QString yearStem(const ChartSurface& chart) { return mid(chart.caption(Control::lblCHUsh), 6); }
QString yearBranch(const ChartSurface& chart) { return mid(chart.caption(Control::lblCHUsh), 7); }
QString birthHourBranch(const ChartSurface& chart) { return mid(chart.caption(Control::lblCHUsh), 16); }
QString hourBranch(const ChartSurface& chart) { return mid(chart.caption(Control::Label17), 2); }
QString monthKey(const ChartSurface& chart) { return mid(chart.caption(Control::Label2, 1), 1); }
QString monthName(const ChartSurface& chart) { return mid(chart.caption(Control::Label2, 1), 1, 2); }
QString dayName(const ChartSurface& chart) { return chart.caption(Control::Label6); }
QString bureauName(const ChartSurface& chart) { return chart.caption(Control::lblWXj); }

int chartDirection(const ChartSurface& chart, bool isMale) {
    const int stem = core::StemToIndex(yearStem(chart));
    if (stem == 0) return kNoDirection;
    const bool yang = stem % 2 == 1;
    return yang == isMale ? kForward : kBackward;
}

QString chartClass(const ChartSurface& chart, bool isMale) {
    const int stem = core::StemToIndex(yearStem(chart));
    if (stem == 0) return QString();
    const bool yang = stem % 2 == 1;
    return QString(yang ? u'阳' : u'阴') + QString(isMale ? u'男' : u'女');
}

}  // namespace chart
