#include "library/chart_window_link.h"

#include "core/globals.h"

namespace library {

bool openChartWindow(const vb::Date& birth, bool isMale, int32_t fileId, const QString& name) {
    // Until the chart window is part of the program, the case is only made current.
    (void)name;
    core::gChartTime = birth;
    core::gIsMale = isMale;
    core::gCurrentFileID = fileId;
    return false;
}

}  // namespace library
