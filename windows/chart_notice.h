#pragma once
// The notice the chart window's annotation box shows before the first pick.

namespace windows {

inline constexpr char16_t kChartNotice[] = u"在上方两个列表中选择星曜或宫位，此处即显示相应的解释。";

}  // namespace windows
