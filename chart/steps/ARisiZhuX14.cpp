#include "chart/birth_inputs.h"
#include "chart/palace_cells.h"
#include "chart/steps/steps.h"
#include "core/conversions.h"
#include "core/globals.h"

namespace chart {

void PlaceDayStars(ChartSurface& chart) {
    const int day = core::LunarDayToNumber(dayName(chart));
    // Each counts the lunar day from the palace of its star as day 1; 恩光 and 天贵 then step one
    // palace back. The order is the order of their slots in a shared palace.
    PlaceStar(chart, wrapPalace(core::gZuoFuPos + day - 1), QStringLiteral("三台"), QString());
    PlaceStar(chart, wrapPalace(core::gWenChangPos + day - 2), QStringLiteral("恩光"), QString());
    PlaceStar(chart, wrapPalace(core::gWenQuPos + day - 2), QStringLiteral("天贵"), QString());
    PlaceStar(chart, wrapPalace(core::gYouBiPos - day + 1), QStringLiteral("八座"), QString());
}

}  // namespace chart
