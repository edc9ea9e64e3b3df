#include "chart/birth_inputs.h"
#include "chart/rule_database.h"
#include "chart/steps/steps.h"
#include "core/globals.h"

namespace chart {

namespace {
// The twelve names of the cycle that begins with 博士, two characters each.
constexpr char16_t kNames[] = u"博士力士青龙小耗将军奏书飞廉喜神病符大耗伏兵官府";
}  // namespace

void PlaceBoShi(ChartSurface& chart) {
    const int direction = chartDirection(chart, core::gIsMale);
    if (direction != kForward && direction != kBackward) return;
    const QString names = QString::fromUtf16(kNames);
    // 博士 stands with 禄存; the cycle runs in the chart's direction.
    for (int i = 0; i < kPalaceCount; ++i) {
        const int palace = wrapPalace(direction == kForward ? core::gLuCunPos + i : core::gLuCunPos - i);
        chart.setCaption(Control::lblBSSES, palace, mid(names, 2 * i + 1, 2));
    }
}

}  // namespace chart
