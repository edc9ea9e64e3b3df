#pragma once
// The one way the library side opens the chart window on a case.
#include "platform/vb/date.h"

#include <QString>

#include <cstdint>

namespace library {

// Opens the chart window on the case born at `birth` (civil moment), of sex `isMale`, stored in
// codefiles row `fileId`, named `name`. False when it did not open (the user has been told why).
bool openChartWindow(const vb::Date& birth, bool isMale, int32_t fileId, const QString& name);

}  // namespace library
