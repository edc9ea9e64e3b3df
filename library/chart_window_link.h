#pragma once
// The one way the library side reaches the chart window: opening it on a case, and storing its
// conclusion or closing it before the library is copied or replaced.
#include "platform/vb/date.h"

#include <QString>

#include <cstdint>

namespace library {

// Opens the chart window on the case born at `birth` (civil moment), of sex `isMale`, stored in
// codefiles row `fileId`, named `name`. False when it did not open (the user has been told why).
bool openChartWindow(const vb::Date& birth, bool isMale, int32_t fileId, const QString& name);

// False, after telling the user, when no chart can be built for a birth at `birth`.
bool birthCanBeCharted(const vb::Date& birth);
// The open chart window stores its conclusion into its case; false when that failed (told).
bool storeChartConclusion();
// Closes the open chart window once its conclusion is stored; false, the window left open, when the
// conclusion could not be stored (told).
bool closeChartWindow();

}  // namespace library
