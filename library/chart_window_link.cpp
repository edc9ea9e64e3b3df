#include "library/chart_window_link.h"

#include "windows/frm_ba_zi.h"

namespace library {

bool openChartWindow(const vb::Date& birth, bool isMale, int32_t fileId, const QString& name) {
    return windows::openCase(birth, isMale, fileId, name);
}

bool birthCanBeCharted(const vb::Date& birth) { return windows::birthCanBeCharted(birth); }

bool storeChartConclusion() { return windows::storeShownConclusion(); }

bool closeChartWindow() { return windows::closeChartWindow(); }

}  // namespace library
