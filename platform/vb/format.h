#pragma once
// Format: a value as text by a named or user-defined format, in locale-free forms.
//
// Named formats (any case): "General Date" (the date type's general text), "Long Date"
// ("yyyy年m月d日"), "Medium Date" ("dd-mmm-yy"), "Short Date" ("yyyy-mm-dd"), "Long Time"
// ("hh:mm:ss"), "Medium Time" ("hh:mm AMPM"), "Short Time" ("hh:mm"), "General Number", "Currency"
// ("¥#,##0.00"), "Fixed" ("0.00"), "Standard" ("#,##0.00"), "Percent" ("0.00%"), "Scientific"
// ("0.00E+00"), "Yes/No", "True/False", "On/Off".
//
// User-defined formats as the runtime reads them: date and time tokens (d dd ddd dddd ddddd dddddd,
// w ww, m mm mmm mmmm, q, y yy yyyy, h hh, n nn, s ss, ttttt, c, AM/PM am/pm A/P a/p AMPM; m after
// h or before s is the minute), number sections "positive;negative;zero;null" with 0 # . , % E+ E-,
// text placeholders @ & < > !, and literals in double quotes or after a backslash. Month and day
// names are English; AM/PM is "AM"/"PM". Numbers round half away from zero.
#include "platform/vb/date.h"
#include "platform/vb/variant.h"

#include <QString>

namespace vb {

QString format(const Variant& value, const QString& fmt = QString(), int firstDayOfWeek = vbSunday,
               int firstWeekOfYear = vbFirstJan1);

// Whether `format` reads all of `fmt`: the empty text, a named format, or a user-defined one whose
// quotes close, whose backslashes each escape a character, that has at most four sections, and whose
// every character outside quotes and escapes is a placeholder of the format's kind (a date token, a
// number placeholder or exponent, a text placeholder or flag) or a character shown as it stands (any
// but a Latin letter: separators, digits, signs, currency and Chinese characters such as 年月日).
// "ttttt" is the only token of t.
bool formatIsReadable(const QString& fmt);

}  // namespace vb
